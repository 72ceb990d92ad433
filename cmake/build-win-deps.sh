#!/usr/bin/env bash
# build-win-deps.sh: builds the libraries zktools needs for 64-bit Windows (static, MinGW-w64) from
# Debian's source packages of the versions installed for the Linux build.
#
#   cmake/build-win-deps.sh [PREFIX] [JOBS]      (default PREFIX: .deps/win, JOBS: 2)
#   cmake/build-win-deps.sh --check [PREFIX]     succeeds when PREFIX is up to date
#
# zlib, libpng, tinyxml2 and yaml-cpp come from `apt-get source` (deb-src lines must be enabled);
# googletest from the sources that libgtest-dev installs in /usr/src/googletest. The result is
# installed into PREFIX (include/, lib/, lib/cmake/, lib/pkgconfig/). PREFIX/versions records what
# was built: when it already matches, nothing is done.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

CHECK=0
if [ "${1:-}" = "--check" ]; then
    CHECK=1
    shift
fi
PREFIX="$(readlink -m "${1:-.deps/win}")"
JOBS="${2:-2}"
TRIPLET=x86_64-w64-mingw32
CC="$TRIPLET-gcc-posix"
AR="$TRIPLET-ar"
TOOLCHAIN="$PWD/cmake/mingw-w64-x86_64.cmake"
# Raised whenever the way the libraries are built changes, so that older builds are redone.
RECIPE=1

die() {
    printf 'build-win-deps: %s\n' "$*" >&2
    exit 1
}

command -v "$CC" >/dev/null 2>&1 || die "$CC not found (package g++-mingw-w64-x86-64-posix)"
command -v dpkg-source >/dev/null 2>&1 || die "dpkg-source not found (package dpkg-dev)"

# The Linux packages whose versions are built for Windows, by their source package.
LINUX_PACKAGES=(zlib1g-dev libpng-dev libtinyxml2-dev libyaml-cpp-dev libgtest-dev)

source_of() {
    dpkg-query -W -f='${source:Package} ${source:Version}' "$1" 2>/dev/null ||
        die "$1 is not installed: run ./zk setup first"
}

stamp() {
    local p
    for p in "${LINUX_PACKAGES[@]}"; do
        source_of "$p"
        echo
    done
    "$CC" --version | head -n 1
    echo "recipe $RECIPE"
}

STAMP="$(stamp)"
if [ -f "$PREFIX/versions" ] && [ "$(cat "$PREFIX/versions")" = "$STAMP" ]; then
    echo "build-win-deps: $PREFIX is up to date"
    exit 0
fi
[ "$CHECK" -eq 0 ] || exit 1

upstream_of() {
    local v="${1#*:}"
    echo "${v%-*}"
}

# fetch_source PACKAGE VERSION DIR: unpacks that source package into DIR. When the archive no longer
# holds that exact version (security updates replace older ones), the newest one of the same
# upstream version is taken; the version unpacked is printed.
fetch_source() {
    local package="$1" wanted="$2" dir="$3" candidates v upstream
    upstream="$(upstream_of "$wanted")"
    candidates="$( (echo "$wanted"
        apt-cache showsrc "$package" 2>/dev/null | awk '/^Version:/ {print $2}' |
            while read -r v; do [ "$(upstream_of "$v")" = "$upstream" ] && echo "$v"; done |
            sort -rV) | awk '!seen[$0]++')"
    [ -n "$(apt-cache showsrc "$package" 2>/dev/null)" ] ||
        die "no source package $package: enable the deb-src lines (./zk setup-windows does) and apt-get update"
    rm -rf "$dir"
    mkdir -p "$dir"
    for v in $candidates; do
        if (cd "$dir" && apt-get source -q --only-source "$package=$v" >"$dir/apt.log" 2>&1); then
            echo "$v"
            return 0
        fi
    done
    cat "$dir/apt.log" >&2
    die "cannot fetch the source package $package $upstream"
}

unpacked() {
    find "$1" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

cmake_build() {
    local src="$1" build="$2"
    shift 2
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DZK_WIN_DEPS="$PREFIX" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF "$@" >"$build.log"
    cmake --build "$build" -j"$JOBS" >>"$build.log"
    cmake --install "$build" >>"$build.log"
}

WORK="$PREFIX/work"
rm -rf "$PREFIX"
mkdir -p "$PREFIX/include" "$PREFIX/lib" "$WORK"
FETCHED=""

read -r pkg ver <<<"$(source_of zlib1g-dev)"
echo "build-win-deps: $pkg $ver"
got="$(fetch_source "$pkg" "$ver" "$WORK/zlib")"
FETCHED+="$pkg $got"$'\n'
src="$(unpacked "$WORK/zlib")"
(
    cd "$src"
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
        trees uncompr zutil; do
        "$CC" -O2 -c "$f.c" -o "$f.o"
    done
    "$AR" rcs "$PREFIX/lib/libz.a" ./*.o
    cp zlib.h zconf.h "$PREFIX/include/"
)

read -r pkg ver <<<"$(source_of libpng-dev)"
echo "build-win-deps: $pkg $ver"
got="$(fetch_source "$pkg" "$ver" "$WORK/png")"
FETCHED+="$pkg $got"$'\n'
src="$(unpacked "$WORK/png")"
(
    cd "$src"
    cp scripts/pnglibconf.h.prebuilt pnglibconf.h
    for f in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset pngtrans pngwio \
        pngwrite pngwtran pngwutil; do
        "$CC" -O2 -I. -I"$PREFIX/include" -c "$f.c" -o "$f.o"
    done
    "$AR" rcs "$PREFIX/lib/libpng16.a" ./*.o
    cp "$PREFIX/lib/libpng16.a" "$PREFIX/lib/libpng.a"
    cp png.h pngconf.h pnglibconf.h "$PREFIX/include/"
)

read -r pkg ver <<<"$(source_of libtinyxml2-dev)"
echo "build-win-deps: $pkg $ver"
got="$(fetch_source "$pkg" "$ver" "$WORK/tinyxml2")"
FETCHED+="$pkg $got"$'\n'
cmake_build "$(unpacked "$WORK/tinyxml2")" "$WORK/tinyxml2-build" -Dtinyxml2_BUILD_TESTING=OFF -DBUILD_TESTING=OFF

read -r pkg ver <<<"$(source_of libyaml-cpp-dev)"
echo "build-win-deps: $pkg $ver"
got="$(fetch_source "$pkg" "$ver" "$WORK/yaml-cpp")"
FETCHED+="$pkg $got"$'\n'
cmake_build "$(unpacked "$WORK/yaml-cpp")" "$WORK/yaml-cpp-build" -DYAML_BUILD_SHARED_LIBS=OFF \
    -DYAML_CPP_BUILD_TESTS=OFF -DYAML_CPP_BUILD_TOOLS=OFF -DYAML_CPP_BUILD_CONTRIB=ON

read -r pkg ver <<<"$(source_of libgtest-dev)"
echo "build-win-deps: $pkg $ver (/usr/src/googletest)"
FETCHED+="$pkg $ver"$'\n'
cmake_build /usr/src/googletest "$WORK/googletest-build" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

printf '%s' "$FETCHED" >"$PREFIX/sources"
rm -rf "$WORK"
printf '%s' "$STAMP" >"$PREFIX/versions"
echo "build-win-deps: installed into $PREFIX:"
sed 's/^/  /' "$PREFIX/sources"
