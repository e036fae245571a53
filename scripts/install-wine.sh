#!/usr/bin/env bash
# Sets up what this machine lacks to run the 32-bit Windows build under Wine: Debian's Wine, a
# virtual X display, screenshot and window tools, and, where the kernel cannot run 32-bit x86
# programs itself, qemu user emulation registered for i386 ELF files. Fails with a clear message
# when the Windows checks cannot run here. Usage: scripts/install-wine.sh
set -euo pipefail

cannot_run() {
  echo "install-wine: the Windows checks cannot run on this machine: $*" >&2
  exit 1
}

apt_who=install-wine
source "$(dirname "$0")/apt-common.sh"
sudo=$apt_sudo
[ "$(dpkg --print-architecture 2>/dev/null)" = amd64 ] || cannot_run "they need an amd64 Debian system"

# Wine's 32-bit half comes from the i386 architecture; qemu new enough for Wine from backports.
needs_update=false
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  needs_update=true
fi
backports=/etc/apt/sources.list.d/bookworm-backports.sources
if [ ! -f "$backports" ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
  printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$backports" >/dev/null
  needs_update=true
fi

packages=(wine wine32:i386 xvfb xauth x11-utils x11-apps imagemagick xdotool)
missing=()
for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-wine: installing ${missing[*]}"
  apt_update
  needs_update=false
  # The 32-bit libraries must match their 64-bit twins version for version; where a mirror caught
  # mid-sync leaves no readable i386 build of an installed twin's version, both halves move.
  apt_install_with_twins "${missing[@]}" || cannot_run "Wine could not be installed from Debian's packages"
fi

runs_32_bit() { timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1; }
registration=/proc/sys/fs/binfmt_misc/qemu-i386

# A registered qemu older than 8 hangs in Wine's start-up (Debian 12 ships 7.2): it is replaced.
# One whose file is not in this root (registered from outside a chroot, opened at registration)
# is left alone: the registration is the whole machine's.
if [ -f "$registration" ]; then
  interpreter=$(sed -n 's/^interpreter //p' "$registration")
  major=$("$interpreter" --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\).*/\1/p') || major=""
  if [ -x "$interpreter" ] && [ "${major:-0}" -lt 8 ]; then
    echo "install-wine: qemu $major, registered for i386 programs, hangs in Wine's start-up; replacing it"
    echo -1 | $sudo tee "$registration" >/dev/null
  fi
fi

if runs_32_bit; then
  if [ -f "$registration" ]; then
    echo "install-wine: 32-bit x86 programs run through qemu user emulation ($(sed -n 's/^interpreter //p' "$registration"))"
  else
    echo "install-wine: 32-bit x86 programs run directly"
  fi
  exit 0
fi

echo "install-wine: this kernel cannot run 32-bit x86 programs; setting up qemu user emulation"
if ! is_installed qemu-user-static || [ "$(dpkg-query -W -f='${Version}' qemu-user-static | sed 's/^[0-9]*://; s/\..*//')" -lt 8 ]; then
  $needs_update && apt_update
  apt_install -t bookworm-backports qemu-user-static \
    || cannot_run "qemu-user-static could not be installed from bookworm-backports"
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -f "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt" \
  || cannot_run "binfmt_misc cannot be mounted, so i386 programs cannot be handed to qemu"
# i386 executables and shared objects; F opens the interpreter now, so it works in any namespace.
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
  | $sudo tee "$binfmt/register" >/dev/null || cannot_run "qemu could not be registered for i386 programs"
runs_32_bit || cannot_run "32-bit Wine does not start, even through qemu user emulation"
echo "install-wine: 32-bit x86 programs run through qemu user emulation"
