#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the reference host need, and
# any further packages named as arguments, when any of them is missing.
set -euo pipefail

# groff-base renders lp-host's manual page for the test that checks it against --help.
packages=(g++ cmake ninja-build qtbase5-dev libqt5svg5-dev xvfb xauth fonts-dejavu-core groff-base
          "$@")
# The Smith chart's SVG drawing needs QtSvg beside whichever Qt the build uses.
for package in "$@"; do
    [ "$package" = qt6-base-dev ] && packages+=(qt6-svg-dev)
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
