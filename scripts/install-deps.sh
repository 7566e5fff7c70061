#!/bin/sh
# Installs the Debian packages named (or, with none named, those the build, the tests and the
# program need), when missing.
set -e
# the build and Qt 6 (with its private headers: the tests send window-system events), Qt's
# Korean translation, Korean fonts ("돋움"/"굴림" stand-ins), clang with libFuzzer for make fuzz, Go
# and Cloudflare's CIRCL for the beacon's BLS check (beaconsig/), ICU for Unicode's normal forms
packages=${*:-"cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev
qt6-qpa-plugins qt6-translations-l10n fonts-nanum fonts-unfonts-core clang libclang-rt-14-dev
golang-go golang-github-cloudflare-circl-dev libicu-dev"}
# Node and npm build the entrants' page: Debian's, unless both commands are there already (Debian's
# npm would pull in its own nodejs beside another Node)
if [ -z "$*" ] && ! { command -v node && command -v npm; } > /dev/null 2>&1; then
    packages="$packages nodejs npm"
fi
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
else
    echo "These Debian packages are missing. Install them with:"
    echo "  sudo apt-get install$missing"
    exit 1
fi
