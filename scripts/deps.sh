#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing TDialix
# need, and the Japanese locale, when they are missing. Harmless to run again.
#   scripts/deps.sh [more packages a script needs besides]
set -euo pipefail

# wine32:i386 installs harmlessly on machines that cannot execute 32-bit code;
# the scripts run it only where its loader runs.
packages=(
  cmake ninja-build g++ clang libgtest-dev libbenchmark-dev   # native build, tests, benchmarks, fuzzing
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix          # the Windows programs, 64-bit and 32-bit
  wine wine64 wine32:i386 xvfb x11-utils xdotool imagemagick  # running them on Linux, window tests, screenshots
  fonts-ipafont locales                                        # a Japanese system
  nsis fp-utils zip                                            # the installers, the help file, the portable zips
  "$@"
)

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "Generating the ja_JP.UTF-8 locale"
  if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    "${sudo[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  else
    echo 'ja_JP.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo[@]}" locale-gen >/dev/null
fi
