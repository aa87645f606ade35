#!/usr/bin/env bash
# Installs what building and testing Velquor needs on Debian 12, only when it is missing, and
# makes sure 32-bit programs (Wine's own) can run on this machine.
set -euo pipefail

required_packages=(
  build-essential cmake ninja-build googletest clang libclang-rt-14-dev
  g++-mingw-w64-i686 wine wine32:i386 fonts-wine xvfb x11-utils
)

as_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "$1: run this command as root." >&2
    exit 1
  fi
}

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

install_missing_packages() {
  local missing=() package
  for package in "${required_packages[@]}"; do
    is_installed "$package" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  as_root "Missing packages: ${missing[*]}"
  echo "Installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

can_run_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# The backports suite of the Debian mirror this machine already uses, so no address is
# written here.
add_backports_source() {
  local deb822=/etc/apt/sources.list.d/debian.sources
  local target=/etc/apt/sources.list.d/velquor-backports
  [ -e "$target.sources" ] || [ -e "$target.list" ] && return 0
  if [ -f "$deb822" ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1' "$deb822" |
      sed -E 's/^Suites:.*/Suites: bookworm-backports/' >"$target.sources"
  else
    grep -E '^deb .* bookworm main' /etc/apt/sources.list | head -1 |
      sed -E 's/ bookworm main.*/ bookworm-backports main/' >"$target.list"
  fi
  apt-get update -qq
}

# Some virtual machines cannot execute 32-bit x86 code at all. There, 32-bit programs run
# under qemu's user-mode emulation; the backported qemu is needed because older ones mishandle
# the fixed-address reservations Wine makes at every start (each start then takes minutes).
enable_32bit_emulation() {
  local qemu=/usr/bin/qemu-i386-static
  local registration=/proc/sys/fs/binfmt_misc/qemu-i386
  if ! "$qemu" --version 2>/dev/null | grep -qE 'version ([89]|[1-9][0-9])\.'; then
    add_backports_source
    apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
  fi
  [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  # The F flag makes the kernel open the interpreter once, at registration; re-register so an
  # upgraded qemu takes effect.
  [ -e "$registration" ] && echo -1 >"$registration"
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    >/proc/sys/fs/binfmt_misc/register
}

install_missing_packages
if ! can_run_32bit; then
  as_root "This machine cannot run 32-bit programs natively"
  echo "Setting up emulation of 32-bit programs"
  enable_32bit_emulation
  can_run_32bit || { echo "32-bit programs still cannot run here" >&2; exit 1; }
fi
