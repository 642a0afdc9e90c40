#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, only when some are missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  liballegro4-dev liballeggl4-dev libglu1-mesa-dev libgl1-mesa-dri
  libsndfile1-dev libx11-dev libfreetype-dev zlib1g-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-apps imagemagick ffmpeg
  debhelper fakeroot dpkg-dev desktop-file-utils appstream man-db
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
