#!/usr/bin/env bash
# Builds Plinkety's Debian source package, its .deb and its -dbgsym .deb as
# Debian builds them (dpkg-buildpackage, debian/rules), from a copy of this
# source in BUILD: the files git tracks or would track, local changes
# included, never the build folders beside them. Copies the source package
# (.dsc, tarball), both .deb files, the .buildinfo and the .changes to OUT.
#   build-deb.sh BUILD OUT [JOBS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1 out=$2 jobs=${3:-$(nproc)}
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
tree=plinkety-$version

rm -rf "$build"
mkdir -p "$build/$tree" "$out"
build=$(cd "$build" && pwd) out=$(cd "$out" && pwd)

cd "$top"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
else
    # An unpacked source package, say: all of it but what builds leave.
    find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name '_build*' ! -name 'obj-*' \
        ! -name '*.deb' ! -name '*.exe' ! -name '*.zip' -printf '%P\0'
fi | while IFS= read -r -d '' path; do
    # A tracked file deleted here is left out, as a commit would leave it.
    if [ -e "$path" ] || [ -L "$path" ]; then printf '%s\0' "$path"; fi
done | tar --null -T - -cf - | tar -xf - -C "$build/$tree"

cd "$build/$tree"
dpkg-buildpackage -us -uc -j"$jobs"
cd "$build"
cp "plinkety_${version}.dsc" "plinkety_${version}".tar.* \
   "plinkety_${version}"_*.deb "plinkety-dbgsym_${version}"_*.deb \
   "plinkety_${version}"_*.buildinfo "plinkety_${version}"_*.changes "$out"/
