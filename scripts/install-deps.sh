#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and cross-build Kelmor.
# Usage: scripts/install-deps.sh [native|cross|fuzz|all]   (default: native)
set -euo pipefail

apt_who=install-deps
source "$(dirname "$0")/apt-common.sh"

what=${1:-native}
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev
          libfreetype-dev libstb-dev fonts-dejavu-core)
if [ "$what" = cross ] || [ "$what" = all ]; then
  packages+=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686)
fi
# clang with its libFuzzer and sanitizer run-time libraries, for the fuzz target.
if [ "$what" = fuzz ] || [ "$what" = all ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  is_installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
# An index that fails to download (a mirror caught mid-sync, say) does not stop the install: the
# install itself says whether a package is missing.
apt_update
apt_install "${missing[@]}"
