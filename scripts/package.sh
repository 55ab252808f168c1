#!/usr/bin/env bash
# Builds the Debian package from the build folder (LP_BUILD_DIR, default build/; a built folder
# is reused as it is) and checks it:
# - it holds the programs, the plug-in with its data library, the manual page, the example
#   component with its data files and the README, under /usr, and nothing of the build's own
#   (tests, benchmarks, fuzzing harnesses, static libraries, headers);
# - every shared library its binaries need is in the package or comes from a package it
#   declares a dependency on;
# - unpacked into a temporary folder, its lp-host runs with no LD_LIBRARY_PATH, loads the
#   plug-in beside it and accepts a copy of the example component.
# With --install, it then installs the package with apt-get, runs the installed lp-host the
# same way and removes the package again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

try_install=false
case "${1:-}" in
"") ;;
--install) try_install=true ;;
*)
    echo "usage: scripts/package.sh [--install]" >&2
    exit 2
    ;;
esac

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

# dpkg-shlibdeps (dpkg-dev) finds the dependencies; CPack tells binaries apart with file.
bash "$root/scripts/ensure-deps.sh" dpkg-dev file
LP_BUILD_DIR="$build_dir" bash "$root/scripts/build.sh"
rm -f "$build_dir"/loadpulleditor_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
debs=("$build_dir"/loadpulleditor_*.deb)
deb="$(realpath "${debs[0]}")"
[ -f "$deb" ] || fail "cpack made no package"
echo "== $(basename "$deb") =="
dpkg-deb --field "$deb" Package Version Maintainer Depends

workspace="$(mktemp -d)"
trap 'rm -rf "$workspace"' EXIT

check_contents() {
    local contents multiarch
    contents="$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
    multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
    for file in /usr/bin/lp-host /usr/bin/lp-datagen \
        "/usr/lib/$multiarch/loadpulleditor/libloadpulleditor.so" \
        "/usr/lib/$multiarch/loadpulleditor/liblpsimcore.so" \
        /usr/share/man/man1/lp-host.1.gz \
        /usr/share/loadpulleditor/examples/pa_amplifier.json \
        /usr/share/loadpulleditor/examples/data/pa_two_frequencies.lp \
        /usr/share/doc/loadpulleditor/README.md; do
        grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
    done
    if grep -v '^/usr/' <<<"$contents" | grep -q .; then
        fail "the package installs outside /usr: $(grep -v '^/usr/' <<<"$contents" | head -1)"
    fi
    if grep -E '/(tst|bench|fuzz)_[^/]*$|\.(a|h)$' <<<"$contents"; then
        fail "the package holds files of the build's own (above)"
    fi
}

# The package that ships a file, however the merged /usr spells its path.
owner() {
    local candidate
    for candidate in "$1" "/usr$1" "${1#/usr}"; do
        if dpkg-query --search "$candidate" >/dev/null 2>&1; then
            dpkg-query --search "$candidate" | sed -n '1s/[:,].*//p'
            return
        fi
    done
    fail "no installed package ships $1"
}

# Each library a packaged binary names (NEEDED), as the dynamic loader finds it.
needed_libraries() {
    local binary="$1" resolved library
    resolved="$(env -u LD_LIBRARY_PATH ldd "$binary")"
    for library in $(readelf --dynamic "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        awk -v name="$library" '$1 == name && $2 == "=>" {print $1, $3}' <<<"$resolved"
    done
}

check_dependencies() {
    local unpacked="$1" depends binary library path package
    depends="$(dpkg-deb --field "$deb" Depends | sed 's/[,|]/\n/g' | sed 's/(.*//; s/ //g')"
    while IFS= read -r binary; do
        while read -r library path; do
            [[ "$path" == "$unpacked"/* ]] && continue
            package="$(owner "$path")"
            grep -qxF "$package" <<<"$depends" ||
                fail "$(basename "$binary") needs $library from $package, not a declared dependency"
        done < <(needed_libraries "$binary")
    done < <(find "$unpacked" -type f -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print)
}

# lp-host of the tree under $1 (a prefix): its version, naming the plug-in it found, and the
# example component accepted from a copy.
check_host() {
    local prefix="$1" copy="$workspace/example-$RANDOM"
    env -u LD_LIBRARY_PATH "$prefix/bin/lp-host" --version | tee "$workspace/version"
    grep -q "^plug-in $prefix/lib/" "$workspace/version" || fail "lp-host did not load the plug-in under $prefix"
    cp -r "$prefix/share/loadpulleditor/examples" "$copy"
    QT_QPA_PLATFORM=offscreen env -u LD_LIBRARY_PATH \
        "$prefix/bin/lp-host" "$copy/pa_amplifier.json" --accept --summary
}

check_contents
dpkg-deb --extract "$deb" "$workspace/root"
check_dependencies "$workspace/root"
check_host "$workspace/root/usr"

if $try_install; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "== apt-get install $deb =="
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb"
    trap '$sudo apt-get remove -y -qq loadpulleditor; rm -rf "$workspace"' EXIT
    check_host /usr
fi
echo "== $(basename "$deb"): the package checks passed =="
