#!/bin/sh
# The two commands of the README, on a machine that may have nothing but
# this source (no make, no compiler):
#   sh make.sh run    installs what building and running needs, builds, starts
#   sh make.sh test   installs what the tests need, builds, runs every test
# Any other make target works too (sh make.sh deb, sh make.sh windows). It
# installs what is missing, then hands over to make.
set -eu
cd "$(dirname "$0")"
case "${1:-run}" in
    test) needs=test ;;
    deb) needs=deb ;;
    windows) needs=windows ;;
    *) needs=run ;;
esac
sh scripts/install-deps.sh "$needs"
exec make "$@"
