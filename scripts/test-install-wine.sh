#!/usr/bin/env bash
# Checks that scripts/install-wine.sh installs Wine on a Debian 12 machine whose package mirror is
# caught mid-sync, without touching this machine's own packages: in a Debian 12 root of its own
# (made with debootstrap under /var/tmp, kept between runs), behind a local proxy that serves a
# short i386 index of the security suite (apt: "File has unexpected size"), with amd64 libraries
# at versions that no readable index offers for i386 and development packages built for them. The
# check passes when Wine's 32-bit half and every development package are installed afterwards.
# Needs root and debootstrap. Usage: scripts/test-install-wine.sh
set -euo pipefail
cd "$(dirname "$0")/.."

[ "$(id -u)" -eq 0 ] || { echo "test-install-wine: needs root (it makes a chroot)" >&2; exit 1; }
folder=/var/tmp/kelmor-install-test
root=$folder/root
mirror=http://deb.debian.org

command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "test-install-wine: making a Debian 12 root in $root"
  mkdir -p "$folder"
  debootstrap --variant=minbase bookworm "$root" "$mirror/debian" >"$folder/debootstrap.log"
fi

# The proxy passes every request on, but for the security suite's i386 index, of which it serves
# a few bytes as a mirror half-way through a sync does.
proxy_port_file=$folder/proxy-port
rm -f "$proxy_port_file"
python3 - "$proxy_port_file" <<'EOF' &
import http.server, shutil, sys, urllib.request

class Proxy(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if "bookworm-security/main/binary-i386/" in self.path:
            body = b"stale"
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        try:
            upstream = urllib.request.urlopen(self.path, timeout=60)
        except urllib.error.HTTPError as error:
            self.send_response(error.code)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(upstream.status)
        for name in ("Content-Length", "Content-Type", "Last-Modified", "ETag"):
            if upstream.headers.get(name):
                self.send_header(name, upstream.headers[name])
        self.end_headers()
        shutil.copyfileobj(upstream, self.wfile)

    def log_message(self, *args):
        pass

server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Proxy)
with open(sys.argv[1], "w") as port_file:
    port_file.write(str(server.server_address[1]))
server.serve_forever()
EOF
proxy_pid=$!
for _ in $(seq 300); do [ -s "$proxy_port_file" ] && break; sleep 0.1; done
[ -s "$proxy_port_file" ] || { echo "test-install-wine: the proxy did not start" >&2; exit 1; }

mounted=()
cleanup() {
  kill "$proxy_pid" 2>/dev/null || true
  local target
  for target in "${mounted[@]}"; do umount -l "$target" 2>/dev/null || true; done
}
trap cleanup EXIT
for target in proc sys dev; do
  mount --rbind "/$target" "$root/$target"
  mounted=("$root/$target" "${mounted[@]}")
done

printf 'Acquire::http::Proxy "http://127.0.0.1:%s";\n' "$(cat "$proxy_port_file")" >"$root/etc/apt/apt.conf.d/90kelmor-test-proxy"
rm -f "$root/etc/apt/sources.list"
printf '%s\n' 'Types: deb' "URIs: $mirror/debian" 'Suites: bookworm bookworm-updates' 'Components: main' \
  'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' '' 'Types: deb' "URIs: $mirror/debian-security" \
  'Suites: bookworm-security' 'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
  >"$root/etc/apt/sources.list.d/debian.sources"
rm -rf "$root/kelmor"
mkdir -p "$root/kelmor"
cp -r scripts "$root/kelmor/"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 bash -c "$1"; }

# The state of the machine that failed: no Wine; amd64 libraries at security updates whose i386
# builds cannot be read; development packages built for them.
echo "test-install-wine: putting the root in the state of a machine behind a mirror in mid-sync"
# apt keeps or drops the indexes of one suite together: the amd64 ones were read before i386 was
# added, as on a machine that had been updated before, so they stay when the i386 one fails.
in_root '
  set -e
  export DEBIAN_FRONTEND=noninteractive
  leftovers=$(dpkg-query -W -f="\${db:Status-Abbrev} \${binary:Package}\n" | awk "\$1 != \"un\" { print \$2 }" \
    | grep -E ":i386\$|^wine|^libwine" || true)
  [ -z "$leftovers" ] || apt-get purge -y -qq --allow-remove-essential $leftovers >/dev/null
  dpkg --remove-architecture i386
  rm -f /etc/apt/sources.list.d/bookworm-backports.sources
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends libfreetype-dev libpng-dev zlib1g-dev >/dev/null
  apt-get upgrade -y -qq >/dev/null
  dpkg --add-architecture i386
  apt-get update -qq >/dev/null 2>&1 || true
  skewed=""
  for name in $(dpkg-query -W -f="\${Package}\n" | sort -u); do
    version=$(dpkg-query -W -f="\${Version}" "$name:amd64" 2>/dev/null) || continue
    [ "$(dpkg-query -W -f="\${Multi-Arch}" "$name:amd64")" = same ] || continue
    apt-cache madison "$name:i386" | grep -qF "| $version |" || skewed="$skewed $name=$version"
  done
  echo "test-install-wine: amd64 libraries with no readable i386 build of their version:${skewed:- none}"
  [ -n "$skewed" ]
'

echo "test-install-wine: running scripts/install-wine.sh in the root"
status=0
in_root 'cd /kelmor && bash scripts/install-wine.sh' || status=$?
echo "test-install-wine: install-wine ended with $status"

failed=0
for package in wine32:i386 wine libfreetype-dev libpng-dev zlib1g-dev; do
  if in_root "dpkg-query -W -f='\${Status}' $package 2>/dev/null | grep -q 'install ok installed'"; then
    echo "test-install-wine: ok: $package is installed"
  else
    echo "test-install-wine: FAILED: $package is not installed"
    failed=1
  fi
done
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
