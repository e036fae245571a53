# Shared by the install scripts; sourced, not run. Installs Debian packages so that a mirror caught
# mid-sync does not stop the install: an index that cannot be read is named and left out, and
# 32-bit libraries whose 64-bit twin is at a version no readable index offers for i386 are moved,
# both halves, to the highest version offered for both. Callers set apt_who (the script's name).

apt_sudo=""
[ "$(id -u)" -eq 0 ] || apt_sudo=sudo
apt_who=${apt_who:-install}

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

apt_install() { DEBIAN_FRONTEND=noninteractive $apt_sudo apt-get install -y -qq --no-install-recommends "$@"; }

# Reads the package indexes. An index that fails to download does not stop the install; each one
# is named, and apt goes on with the others (or with the copy it read before).
apt_update() {
  local log
  log=$(mktemp)
  if $apt_sudo apt-get update -qq >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  local unreadable
  unreadable=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/\1 (\2)/p' "$log")
  if [ -n "$unreadable" ]; then
    echo "$apt_who: these package indexes could not be read and are left out:" >&2
    sed 's/^/  /' <<<"$unreadable" >&2
  else
    echo "$apt_who: some package indexes could not be read; going on" >&2
    cat "$log" >&2
  fi
  rm -f "$log"
}

# Versions of a package that the readable indexes offer for one architecture, one a line.
offered_versions() { apt-cache madison "$1:$2" 2>/dev/null | awk -F' [|] ' '{ gsub(/ /, "", $2); print $2 }' | sort -u; }

# The highest of the versions given on standard input, by Debian's ordering.
highest_version() {
  local best="" version
  while read -r version; do
    [ -n "$version" ] || continue
    if [ -z "$best" ] || dpkg --compare-versions "$version" gt "$best"; then best=$version; fi
  done
  echo "$best"
}

# For the foreign-architecture packages given (name:arch), prints "name version" for each library
# they need whose native twin (the installed one, or the one apt would install) is at a version no
# readable index offers for their architecture: the highest version offered for both, to which
# both halves move. A library with no version offered for both is named and left to apt.
twin_versions() {
  local native closure name foreign wanted common best
  native=$(dpkg --print-architecture)
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "$@" 2>/dev/null | grep -E '^[^ <].*:[a-z0-9]+$' | sort -u)
  for name in $closure; do
    foreign=${name##*:}
    name=${name%:*}
    [ "$foreign" != "$native" ] || continue
    if is_installed "$name:$native"; then
      wanted=$(dpkg-query -W -f='${Version}' "$name:$native")
    else
      wanted=$(apt-cache policy "$name:$native" 2>/dev/null | sed -n 's/^  Candidate: //p')
    fi
    [ -n "$wanted" ] && [ "$wanted" != "(none)" ] || continue
    offered_versions "$name" "$foreign" | grep -qxF "$wanted" && continue
    common=$(comm -12 <(offered_versions "$name" "$native") <(offered_versions "$name" "$foreign"))
    best=$(highest_version <<<"$common")
    if [ -z "$best" ]; then
      echo "$apt_who: $name has no version offered for both $native and $foreign" >&2
      continue
    fi
    echo "$name $best"
  done
}

# The installed packages built from the same source as the native package given, offered at the
# version given, as "name:arch=version": the development packages that move with a library.
same_source_installs() {
  local native source
  native=$(dpkg --print-architecture)
  is_installed "$1:$native" || return 0
  source=$(dpkg-query -W -f='${source:Package}' "$1:$native")
  dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Architecture} ${source:Package}\n' \
    | awk -v source="$source" -v name="$1" '$1 == "ii" && $4 == source && $2 != name { print $2, $3 }' \
    | while read -r package architecture; do
        [ "$architecture" = all ] || package="$package:$architecture"
        apt-cache madison "$package" 2>/dev/null | grep -qF "| $2 |" && echo "$package=$2"
      done
}

# Installs packages that include foreign-architecture ones. When the plain install fails, the
# multi-arch twins are moved as twin_versions says (pinned for this install only), and the
# packages that the move took away (development packages built for the newer versions) are put
# back at versions that match.
apt_install_with_twins() {
  apt_install "$@" && return 0
  echo "$apt_who: the plain install failed; putting the 32-bit libraries in step with their 64-bit twins"
  local before moves pins name version
  before=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}:${Architecture}\n' | awk '$1 == "ii" { print $2 }')
  moves=$(twin_versions "$@")
  [ -n "$moves" ] || return 1
  pins=$(mktemp)
  local along=()
  while read -r name version; do
    echo "$apt_who:   $name at $version, for both architectures"
    printf 'Package: %s\nPin: version %s\nPin-Priority: 1001\n\n' "$name" "$version" >>"$pins"
    mapfile -t -O "${#along[@]}" along < <(same_source_installs "$name" "$version")
  done <<<"$moves"
  [ ${#along[@]} -eq 0 ] || echo "$apt_who:   and with them ${along[*]}"
  chmod 644 "$pins"
  local installed=true
  DEBIAN_FRONTEND=noninteractive $apt_sudo apt-get install -y -qq --no-install-recommends --allow-downgrades \
    -o Dir::Etc::Preferences="$pins" "$@" "${along[@]}" || installed=false
  rm -f "$pins"
  restore_removed_packages "$before"
  $installed
}

# Puts back every package of the list given (a "name:arch" a line: what was installed before) that
# is no longer installed, at the highest version that installs without removing anything.
restore_removed_packages() {
  local name versions removed=()
  while read -r name; do
    is_installed "$name" || removed+=("$name")
  done <<<"$1"
  [ ${#removed[@]} -gt 0 ] || return 0
  echo "$apt_who: the move removed ${removed[*]}; putting them back at matching versions"
  for name in "${removed[@]}"; do
    versions=$(apt-cache madison "$name" 2>/dev/null | awk -F' [|] ' '{ gsub(/ /, "", $2); print $2 }' | sort -u)
    local put_back=false candidate
    while [ -n "$versions" ]; do
      candidate=$(highest_version <<<"$versions")
      versions=$(grep -v -x -F "$candidate" <<<"$versions" || true)
      if DEBIAN_FRONTEND=noninteractive $apt_sudo apt-get install -s -qq --no-install-recommends "$name=$candidate" 2>/dev/null \
          | grep -q '^Remv '; then
        continue
      fi
      if apt_install "$name=$candidate" >/dev/null 2>&1; then
        echo "$apt_who:   $name $candidate"
        put_back=true
        break
      fi
    done
    $put_back || echo "$apt_who: $name could not be put back" >&2
  done
}
