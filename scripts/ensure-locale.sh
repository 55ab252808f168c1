#!/usr/bin/env bash
# Makes a locale such as de_DE.UTF-8 available to the C library, so that a test run
# under it sees what a user of that locale sees (decimal comma included).
set -euo pipefail
locale_name="${1:?usage: ensure-locale.sh LANGUAGE_TERRITORY.UTF-8}"

normalized="$(echo "$locale_name" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')"
if locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$normalized"; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed"; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends locales
fi
echo "Generating locale $locale_name"
$sudo localedef -i "${locale_name%%.*}" -f UTF-8 "$locale_name"
