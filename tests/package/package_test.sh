#!/usr/bin/env bash
# Installs a built tree into a scratch folder and builds the Debian package
# there, then checks what a user would get: a program that runs, a desktop
# entry and icons a desktop accepts, a user unit that starts the installed
# program with no window, and a package lintian finds no error in.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package test: $*" >&2
  exit 1
}

root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
  { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }
usr=$root/usr

[[ -x $usr/bin/tamsel ]] || fail "no executable $usr/bin/tamsel"
[[ $("$usr/bin/tamsel" --version) == "tamsel $version" ]] ||
  fail "the installed program says '$("$usr/bin/tamsel" --version)' to --version"
desktop-file-validate "$usr/share/applications/tamsel.desktop" ||
  fail "the desktop entry does not validate"
[[ -s $usr/share/icons/hicolor/scalable/apps/tamsel.svg ]] || fail "no scalable icon"
png=$usr/share/icons/hicolor/256x256/apps/tamsel.png
file -b "$png" | grep -q '^PNG image data, 256 x 256,' ||
  fail "the 256x256 icon is $(file -b "$png")"
unit=$usr/lib/systemd/user/tamsel.service
grep -qx 'ExecStart=/usr/bin/tamsel --headless' "$unit" ||
  fail "the unit does not start /usr/bin/tamsel --headless: $(grep ExecStart "$unit" || echo 'no ExecStart')"
grep -qx 'RestartPreventExitStatus=3' "$unit" ||
  fail "the unit would restart for ever while another Tamsel holds the folder"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
debs=("$scratch"/deb/tamsel_*_amd64.deb)
[[ -f ${debs[0]} ]] || fail "cpack made no tamsel_*_amd64.deb: $(ls "$scratch/deb")"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tamsel ]] || fail "Package is '$(field Package)'"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', the project's is $version"
field Depends | grep -q 'libqt6' || fail "Depends names no Qt 6 library: '$(field Depends)'"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tamsel ./usr/share/applications/tamsel.desktop \
  ./usr/lib/systemd/user/tamsel.service ./usr/share/man/man1/tamsel.1.gz \
  ./usr/share/doc/tamsel/copyright ./usr/share/doc/tamsel/changelog.gz; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# lintian fails on errors, and on anything that stops it from checking.
if ! lintian --allow-root --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
  grep -q '^E: ' "$scratch/lintian.log"; then
  cat "$scratch/lintian.log" >&2
  fail "lintian reports errors"
fi
echo "package test: $deb is fine"
