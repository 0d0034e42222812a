#!/usr/bin/env bash
# Installs what the browser copy needs: Debian's emscripten and chromium,
# and builds SDL2, SDL2_image, SDL2_ttf with freetype, and libplist for
# WebAssembly from Debian's own source packages. The libraries go to a
# cache outside the repository keyed by this script's content, so a second
# run only checks and prints the folder (the last line of its output).
set -euo pipefail

packages=(
  emscripten nodejs         # the browser compiler; node runs its JavaScript parts
  dpkg-dev                  # apt-get source unpacks with dpkg-source
  chromium                  # the browser test
  python3                   # make web-run serves the page
  libboost-graph-dev        # header-only, shared with the desktop build
  fonts-liberation2 fonts-roboto-unhinted   # the fonts the page carries
  fonttools                 # pyftsubset cuts them down to the letters the game writes
)

here="$(cd "$(dirname "$0")" && pwd)"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/lirvo-web"
key=$(sha256sum "$here/install-web-deps.sh" | cut -c1-16)
prefix="$cache_root/$key"
jobs="${JOBS:-2}"

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}" >&2
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [[ -f "$prefix/done" ]]; then
  echo "$prefix"
  exit 0
fi

# apt-get source needs the source entries of the archive the packages come from.
if ! apt-get source --print-uris -qq libplist >/dev/null 2>&1; then
  echo "Adding deb-src entries for Debian's archive" >&2
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  $sudo tee /etc/apt/sources.list.d/lirvo-debian-src.sources >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -qq
fi

rm -rf "$prefix" && mkdir -p "$prefix"
work="$prefix/src"
mkdir -p "$work" && cd "$work"
echo "Building the browser libraries in $prefix" >&2
apt-get source -q libsdl2 libsdl2-image libsdl2-ttf freetype libplist >apt-source.log 2>&1 ||
  { tail -30 apt-source.log >&2; exit 1; }

# Static libraries throughout: try-compiles that link programs would make
# each configure check a whole wasm link. USE_SDL=0 keeps emscripten's own
# SDL 1 headers, otherwise first on the include path, out of the builds.
cmake_web() {
  local source=$1
  shift
  emcmake cmake -S "$source" -B "$source/build-web" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_FLAGS=-sUSE_SDL=0 -DCMAKE_CXX_FLAGS=-sUSE_SDL=0 \
    -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >"$source/build-web.log" 2>&1 ||
    { tail -30 "$source/build-web.log" >&2; exit 1; }
  cmake --build "$source/build-web" -j "$jobs" --target install >>"$source/build-web.log" 2>&1 ||
    { tail -30 "$source/build-web.log" >&2; exit 1; }
}

# SDL2's iconv check compiles against the host's headers and passes, then
# the link fails: the browser has no iconv.
cmake_web libsdl2-2.*/ -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_ICONV=OFF \
  -DHAVE_BUILTIN_ICONV=OFF -DHAVE_LIBICONV=OFF

cmake_web freetype-2.*/ -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

# PNG and JPEG through the built-in stb loader: no libpng, libjpeg or zlib.
cmake_web libsdl2-image-2.*/ -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON \
  -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=ON \
  -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF \
  -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF \
  -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF -DSDL2IMAGE_PNG=ON

cmake_web libsdl2-ttf-2.*/ -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=OFF

# Their static builds install no pkg-config files; the game's build finds its libraries through them.
pc() {
  cat >"$prefix/lib/pkgconfig/$1.pc" <<EOF
prefix=$prefix
Name: $1
Description: $1, built for WebAssembly
Version: $2
Requires: $3
Libs: -L\${prefix}/lib -l$4
Cflags: -I\${prefix}/include $5
EOF
}
version() { basename "$1" | sed -E 's/^[a-z0-9-]+-([0-9.]+).*/\1/'; }
pc SDL2_image "$(version libsdl2-image-2.*/)" sdl2 SDL2_image "-I\${prefix}/include/SDL2"
pc SDL2_ttf "$(version libsdl2-ttf-2.*/)" "sdl2 freetype2" SDL2_ttf "-I\${prefix}/include/SDL2"

# libplist's own build is autotools without a generated configure; its C
# library is a handful of files, compiled here with what configure would find.
plist=$(echo libplist-2.*/)
mkdir -p "$prefix/include" "$prefix/lib/pkgconfig" "$plist/build-web"
for file in "$plist"src/{base64,bytearray,hashtable,ptrarray,time64,xplist,bplist,plist}.c "$plist"libcnary/*.c; do
  emcc -O2 -sUSE_SDL=0 -c "$file" -o "$plist/build-web/$(basename "$file" .c).o" -I"$plist"include -I"$plist"src \
    -I"$plist"libcnary/include -DHAVE_MEMMEM -DHAVE_STRPTIME -DHAVE_LOCALTIME_R -DHAVE_GMTIME_R \
    -DHAVE_TM_TM_GMTOFF -DHAVE_TM_TM_ZONE -DHAVE_FVISIBILITY -fvisibility=hidden -Wno-everything
done
emar rcs "$prefix/lib/libplist-2.0.a" "$plist"/build-web/*.o
cp -r "$plist"include/plist "$prefix/include/"
pc libplist-2.0 "$(version "$plist")" "" plist-2.0 ""

# Boost.Graph is header-only: Debian's own headers, seen alone.
mkdir -p "$prefix/boost-include"
ln -sfn /usr/include/boost "$prefix/boost-include/boost"

cd "$prefix" && rm -rf "$work"
touch "$prefix/done"
# Builds of earlier versions of this script are of no further use.
find "$cache_root" -mindepth 1 -maxdepth 1 ! -name "$key" -exec rm -rf {} +
echo "$prefix"
