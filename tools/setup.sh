#!/usr/bin/env bash
# Installs what building, running and testing brova needs on Debian 12.
# Idempotent: packages already present are not touched, so a ready machine
# passes through in a fraction of a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine
  xvfb xserver-xephyr xdotool x11-utils imagemagick
  fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-gbsn00lp python3-fonttools locales
  googletest zlib1g-dev libz-mingw-w64-dev
  zip unzip p7zip-full curl nsis
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Everything is 64-bit: host packages only.
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine shows Chinese with code page 936 only under a Chinese locale.
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  echo "setup: generating zh_CN.UTF-8"
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
