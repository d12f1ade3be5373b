#!/usr/bin/env bash
# Cross-compiles the game for 64-bit Windows and makes build-windows/kelvarin-windows.zip
# (kelvarin.exe, kelvarin-sim.exe, media/, README.txt). GLFW and GLEW are built from Debian's
# source packages of them and cached under build-windows/deps; GLM and stb come from the Linux
# packages' headers. Everything is linked statically: the programs need only Windows' own DLLs
# and the system's OpenGL.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
deps=$out/deps
prefix=$deps/prefix
toolchain=$root/cmake/mingw-w64-x86_64.cmake

bash scripts/deps.sh windows

# Source lists: the machine's own Debian sources, as deb-src, in a file of their own.
sources=/etc/apt/sources.list.d/kelvarin-deb-src.sources
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! apt-get source --print-uris glfw3 >/dev/null 2>&1; then
    {
        for f in /etc/apt/sources.list.d/*.sources; do
            [ "$f" = "$sources" ] || sed 's/^Types: deb$/Types: deb-src/' "$f"
            echo
        done
    } | $sudo tee "$sources.new" >/dev/null
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee "${sources%.sources}.list" >/dev/null
    fi
    $sudo mv "$sources.new" "$sources"
    $sudo apt-get update -qq
fi

mkdir -p "$deps/src" "$prefix/include"
if [ ! -f "$prefix/lib/libglfw3.a" ]; then
    (cd "$deps/src" && apt-get source -qq glfw3 >/dev/null 2>&1)
    glfw=$(ls -d "$deps"/src/glfw3-*/ | head -n 1)
    cmake -S "$glfw" -B "$deps/glfw-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF >/dev/null
    cmake --build "$deps/glfw-build" -j"$(nproc)" --target install >/dev/null
fi
if [ ! -f "$prefix/lib/libglew32.a" ]; then
    (cd "$deps/src" && apt-get source -qq glew >/dev/null 2>&1)
    glew=$(ls -d "$deps"/src/glew-*/ | head -n 1)
    mkdir -p "$prefix/lib" "$prefix/include/GL"
    x86_64-w64-mingw32-gcc-posix -O2 -DGLEW_STATIC -I"$glew/include" -c "$glew/src/glew.c" \
        -o "$deps/glew.o"
    x86_64-w64-mingw32-ar rcs "$prefix/lib/libglew32.a" "$deps/glew.o"
    cp "$glew"/include/GL/*.h "$prefix/include/GL/"
fi
# Header-only libraries from the Linux packages, without the rest of /usr/include.
ln -sfn /usr/include/glm "$prefix/include/glm"
ln -sfn /usr/include/stb "$prefix/include/stb"

cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKELVARIN_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARIN_BENCH=OFF -DKELVARIN_TESTS=ON >/dev/null
cmake --build "$out" -j"$(nproc)" --target kelvarin kelvarin-sim kelvarin_windows_tests

package=$out/kelvarin-windows
rm -rf "$package" "$out/kelvarin-windows.zip"
mkdir -p "$package"
cp "$out/kelvarin.exe" "$out/kelvarin-sim.exe" "$package/"
cp -r media "$package/"
rm -rf "$package/media/icon"
sed 's/$/\r/' packaging/README-windows.txt >"$package/README.txt"
(cd "$out" && zip -qr kelvarin-windows.zip kelvarin-windows)
ls -la "$out/kelvarin-windows.zip"
