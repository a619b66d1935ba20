#!/usr/bin/env bash
# Builds the Debian package as scripts/package does (its own build folder,
# build-package/ or $TAMSEL_PACKAGE_DIR, kept between runs so only what
# changed is compiled again) and checks what a user would get: a program that
# runs and is hardened as Debian's own, a desktop entry and icons a desktop
# accepts, metadata a software centre lists, a Wayland plugin recommended, a
# user unit that starts the installed program with no window, a
# package lintian has nothing to say about, and the same bytes when packed again.
# Usage: package_test.sh VERSION
set -euo pipefail
version=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package test: $*" >&2
  exit 1
}

# Its whole output in one file: the log must survive that, and the last
# line is the package.
"$root/scripts/package" >"$scratch/package.log" 2>&1 ||
  { cat "$scratch/package.log" >&2; fail "scripts/package failed"; }
[[ $(tr -dc '\0' <"$scratch/package.log" | wc -c) == 0 ]] ||
  fail "scripts/package wrote over its own log"
grep -q '^CPack: - package: .* generated\.$' "$scratch/package.log" ||
  fail "the log of scripts/package lacks cpack's lines"
deb=$(tail -n 1 "$scratch/package.log")
[[ $deb == */tamsel_*_amd64.deb && -f $deb ]] || fail "scripts/package ended with '$deb', no package"
build=$(dirname "$deb")

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tamsel ]] || fail "Package is '$(field Package)'"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', the project's is $version"
field Depends | grep -q 'libqt6' || fail "Depends names no Qt 6 library: '$(field Depends)'"
# Without it a Wayland desktop with no X server cannot show the window.
[[ $(field Recommends) == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: '$(field Recommends)'"

contents=$(TZ=UTC dpkg-deb -c "$deb")
for path in ./usr/bin/tamsel ./usr/share/applications/tamsel.desktop \
  ./usr/lib/systemd/user/tamsel.service ./usr/share/man/man1/tamsel.1.gz \
  ./usr/share/doc/tamsel/copyright ./usr/share/doc/tamsel/changelog.gz \
  ./usr/share/metainfo/org.example.tamsel.metainfo.xml; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# Reproducible: every time in it is the last commit's, and packing the same
# build again gives the same bytes.
epoch=$(git -C "$root" log -1 --format=%ct)
stamp=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M')
times=$(awk '{print $4 " " $5}' <<<"$contents" | sort -u)
[[ $times == "$stamp" ]] || fail "file times in the package are not the commit's ($stamp): $times"
(cd "$build" && cpack -G DEB -B "$scratch/again" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
cmp "$deb" "$scratch/again/$(basename "$deb")" || fail "packing the same build twice gives two packages"

usr=$scratch/root/usr
dpkg-deb -x "$deb" "$scratch/root"
[[ $("$usr/bin/tamsel" --version) == "tamsel $version" ]] ||
  fail "the installed program says '$("$usr/bin/tamsel" --version)' to --version"
desktop-file-validate "$usr/share/applications/tamsel.desktop" ||
  fail "the desktop entry does not validate"
[[ -s $usr/share/icons/hicolor/scalable/apps/tamsel.svg ]] || fail "no scalable icon"
# A software centre lists it: valid metadata (pedantic, without fetching the
# screenshots), launching the menu entry the package has, its newest release
# this version.
metainfo=$usr/share/metainfo/org.example.tamsel.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >"$scratch/appstream.log" 2>&1 ||
  { cat "$scratch/appstream.log" >&2; fail "the AppStream metadata does not validate"; }
launched=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[[ -f $usr/share/applications/$launched ]] || fail "the metadata launches '$launched', not in the package"
newest=$(grep -o -m 1 '<release version="[^"]*"' "$metainfo" | cut -d '"' -f 2)
[[ $newest == "$version" ]] || fail "the metadata's newest release is '$newest', the project's is $version"
png=$usr/share/icons/hicolor/256x256/apps/tamsel.png
file -b "$png" | grep -q '^PNG image data, 256 x 256,' ||
  fail "the 256x256 icon is $(file -b "$png")"
unit=$usr/lib/systemd/user/tamsel.service
grep -qx 'ExecStart=/usr/bin/tamsel --headless' "$unit" ||
  fail "the unit does not start /usr/bin/tamsel --headless: $(grep ExecStart "$unit" || echo 'no ExecStart')"
grep -qx 'RestartPreventExitStatus=3' "$unit" ||
  fail "the unit would restart for ever while another Tamsel holds the folder"

# Hardened as Debian builds: a position-independent program, relocations
# read-only and bound at start, fortified calls, a stack protector; stripped
# of symbols and of the compilers' notes.
program=$usr/bin/tamsel
readelf -hW "$program" | grep -q 'Type: *DYN' || fail "the program is not position-independent"
readelf -lW "$program" | grep -q 'GNU_RELRO' || fail "the program has no read-only relocations"
readelf -dW "$program" | grep -q 'FLAGS.*\bNOW\b' || fail "the program binds its symbols lazily"
symbols=$(readelf --dyn-syms -W "$program")
grep -q ' __[a-z_]*_chk\b' <<<"$symbols" || fail "the program calls no fortified function"
grep -q ' __stack_chk_fail\b' <<<"$symbols" || fail "the program has no stack protector"
sections=$(readelf -SW "$program")
for section in .symtab .comment; do
  ! grep -q " \\$section " <<<"$sections" || fail "the program keeps its $section section"
done

# lintian, pedantic and with its notes, has nothing to say: what it would
# say and is meant is overridden, with the reason, in the package.
lintian --allow-root --pedantic -I --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log" >&2; fail "lintian failed"; }
if [[ -s $scratch/lintian.log ]]; then
  cat "$scratch/lintian.log" >&2
  fail "lintian finds fault with the package"
fi
echo "package test: $deb is fine"
