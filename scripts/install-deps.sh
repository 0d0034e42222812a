#!/usr/bin/env bash
# Installs every Debian package Lirvo needs to build, run and test.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
  libplist-dev libicu-dev libboost-graph-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-roboto-unhinted   # the game's fonts, shipped with it
  fonts-dejavu-core
  xvfb xdotool python3
  imagemagick                  # the window test's screenshots
  python3-pil                  # tools/make_art.py draws the pictures; the window test reads screenshots
  clang libclang-rt-14-dev     # make fuzz: libFuzzer and the sanitizers' runtimes
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
