#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source,
# once, into a cache outside the tree, and prints the prefix it lives in.
# The cache is keyed by the source's version, the cross compiler's version
# and the configure options: change any of them and a new Qt is built.
# The prefix is written into Qt's own files, so a copy must stay where it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${PLINKETY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/plinkety}
mkdir -p "$cache"

# testlib stays on: the portable layers' tests run under Wine.
options=(-xplatform win32-g++ -static -static-runtime -release -opensource -confirm-license
    -nomake examples -nomake tests -qt-host-path /usr
    -no-feature-directwrite3 -no-feature-tabletevent -no-feature-androiddeployqt
    -no-feature-direct2d -no-feature-graphicsview
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport -no-feature-concurrent
    -no-dbus -no-opengl -no-feature-vulkan -no-icu -no-feature-zstd -no-feature-jpeg -no-freetype
    -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-doubleconversion)
toolchain_source=$here/../../cmake/mingw-w64-x86_64.cmake
batches_source=$here/qt-unity.cmake

apt_dir=$cache/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"
# A deb-src entry of our own, so the machine's apt set-up stays as it is.
cat > "$apt_dir/sources/debian-src.sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
apt_opts=(-o "Dir::Etc::SourceParts=$apt_dir/sources" -o Dir::Etc::SourceList=/dev/null
    -o "Dir::State::Lists=$apt_dir/lists")
apt-get -qq "${apt_opts[@]}" update >&2
qt_version=$(apt-cache "${apt_opts[@]}" showsrc qt6-base | sed -n 's/^Version: //p' | sort -V | tail -n 1)
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
options_hash=$(printf '%s\n' "${options[@]}" | cat - "$toolchain_source" "$batches_source" | sha256sum | cut -c1-12)
prefix=$cache/qt6-win64-${qt_version//[^A-Za-z0-9.+]/_}-gcc$gcc_version-$options_hash

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

echo "Building Qt $qt_version for Windows into $prefix (once; about 10 minutes on 2 cores)" >&2
rm -rf "$prefix"
mkdir -p "$prefix"
cp "$toolchain_source" "$prefix/mingw-w64-x86_64.cmake"
cp "$batches_source" "$prefix/qt-unity.cmake"
work=$(mktemp -d "$cache/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq "qt6-base=$qt_version" >&2 \
    && dpkg-source -x ./*.dsc source >/dev/null)
mkdir "$work/build"
cd "$work/build"
../source/configure -prefix "$prefix" "${options[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_PROJECT_INCLUDE="$prefix/qt-unity.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
nice -n 19 cmake --build . --parallel "${JOBS:-$(nproc)}" >&2
cmake --install . >&2
touch "$prefix/.complete"
echo "$prefix"
