#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a finished build and checks it as a user gets it: its
# control data, lintian without errors, valid desktop entries and AppStream data, and the
# unpacked programs running on system libraries alone.
# Usage: check_package.sh CPACK CPACK_CONFIG VERSION
set -eu
cpack=$1
config=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cpack" --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$work/out/zorvat_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $deb; cpack made: $(ls "$work/out")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Control data: the version, libraries found by dpkg-shlibdeps, what is loaded at run time.
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "Version is not $version"
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6dbus6 libsdl2-mixer-2.0-0 libsqlite3-0 libjpeg62-turbo \
    qt6-qpa-plugins qt6-translations-l10n fonts-liberation2; do
    case ", $depends," in
    *", $needed "* | *", $needed,"*) ;;
    *) fail "Depends lacks $needed: $depends" ;;
    esac
done

# Errors fail the package; warnings are shown in the log.
status=0
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"

root=$work/root
dpkg-deb -x "$deb" "$root"
cd "$root"
for file in \
    usr/bin/zorvat-d usr/bin/zorvat-q usr/bin/zorvat-sim usr/bin/zorvat-companion \
    usr/bin/zorvat-journal \
    usr/share/applications/org.zorvat.ZorvatD.desktop \
    usr/share/applications/org.zorvat.ZorvatQ.desktop \
    usr/share/metainfo/org.zorvat.ZorvatD.metainfo.xml \
    usr/share/metainfo/org.zorvat.ZorvatQ.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/zorvat.svg \
    usr/share/icons/hicolor/16x16/apps/zorvat.png usr/share/icons/hicolor/32x32/apps/zorvat.png \
    usr/share/icons/hicolor/48x48/apps/zorvat.png usr/share/icons/hicolor/64x64/apps/zorvat.png \
    usr/share/icons/hicolor/128x128/apps/zorvat.png \
    usr/share/icons/hicolor/256x256/apps/zorvat.png \
    usr/share/zorvat/zacatek.wav usr/share/zorvat/pozor.wav usr/share/zorvat/vystrel.wav \
    usr/share/doc/zorvat/copyright usr/share/doc/zorvat/changelog.gz; do
    [ -f "$file" ] || fail "the package lacks /$file"
done
for program in usr/bin/*; do
    [ -f "usr/share/man/man1/${program#usr/bin/}.1.gz" ] || fail "no man page for /$program"
done
zcat usr/share/doc/zorvat/changelog.gz | head -n 1 | grep -qF "zorvat ($version)" ||
    fail "the Debian changelog does not start with $version"

desktop-file-validate usr/share/applications/*.desktop || fail "desktop-file-validate"
for entry in usr/share/applications/*.desktop; do
    exec=$(sed -n 's/^Exec=//p' "$entry")
    [ -x "usr/bin/$exec" ] || fail "$entry starts $exec, which is not in the package"
done
appstreamcli validate --no-net usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
for metainfo in usr/share/metainfo/*.metainfo.xml; do
    grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo lacks release $version"
done

# The unpacked programs run on system libraries alone: no run path into the build tree. They
# are hardened as Debian's own: position-independent, relocations read-only and bound at
# start-up, stack-protected, libc calls fortified.
for program in usr/bin/*; do
    readelf -h "$program" | grep -q 'DYN (Position-Independent' || fail "$program is not PIE"
    readelf -l "$program" | grep -q GNU_RELRO || fail "$program has no read-only relocations"
    readelf -d "$program" | grep -q 'BIND_NOW' || fail "$program does not bind at start-up"
    nm -D "$program" | grep -q ' __stack_chk_fail@' || fail "$program lacks stack protection"
    nm -D "$program" | grep -qE ' __[a-z_]+_chk@' || fail "$program calls no fortified function"
    ! readelf -d "$program" | grep -E 'RPATH|RUNPATH' || fail "$program has a run path"
    ! ldd "$program" | grep 'not found' || fail "$program misses a library"
done
unset LD_LIBRARY_PATH
shown=$(QT_QPA_PLATFORM=offscreen timeout 20 usr/bin/zorvat-d --version) ||
    fail "zorvat-d --version failed"
case "$shown" in
*"$version"*) echo "zorvat-d --version: $shown" ;;
*) fail "zorvat-d --version printed \"$shown\", not $version" ;;
esac
usr/bin/zorvat-sim --help | grep -q zorvat-sim || fail "zorvat-sim --help"
echo "package checked"
