# 40. Idle cost: with five Wine programs adopted (wordpad and winecfg among them) and nothing
#     happening, Kelmor, the Wine server and the programs together use at most 5 % of one core
#     over 30 s (scripts/wine-idle.sh measures it; the figure includes qemu's emulation).
# shellcheck source=/dev/null
source scripts/wine-idle.sh
start_kelmor 40-idle
sleep 10
check "five programs are adopted" measure_idle 30 "$window_list"
idle_within_limit() { awk -v p="$idle_percent" 'BEGIN { exit !(p <= 5) }'; }
check "idle cost $idle_percent % of one core is at most 5 %" idle_within_limit
end_kelmor 40-idle
end_idle_programs
