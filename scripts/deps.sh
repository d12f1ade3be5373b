#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its tests and its tools need, skipping any already there.
# "deps.sh fuzz" adds clang and its fuzzing runtime for scripts/fuzz.sh; "deps.sh package" the
# tools that make and check the Debian package; "deps.sh windows" the cross compiler, Wine and
# GoogleTest's sources for the Windows build; "deps.sh web" emscripten, node and npm, and
# Chromium for the browser build and its tests.
set -euo pipefail

packages=(
    build-essential cmake pkg-config clang-format
    libglfw3-dev libglew-dev libglm-dev libstb-dev libsdl2-dev libsdl2-mixer-dev libasound2-dev
    libgl1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core
    xvfb xauth xdotool imagemagick assimp-utils
)
[ "${1:-}" = "fuzz" ] && packages+=(clang libclang-rt-14-dev)
[ "${1:-}" = "package" ] && packages+=(dpkg-dev file lintian desktop-file-utils man-db)
if [ "${1:-}" = "web" ]; then
    packages+=(emscripten chromium python3 lame)
    # A node from elsewhere than Debian brings its own npm, which Debian's npm conflicts with.
    command -v npm >/dev/null || packages+=(nodejs npm)
fi
[ "${1:-}" = "windows" ] && packages+=(g++-mingw-w64-x86-64-posix dpkg-dev zip unzip wine wine64 googletest)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
