#!/usr/bin/env bash
# Checks what users install: the desktop entry and AppStream metadata validate, the Debian
# package has the right contents and dependencies, and the program runs from the unpacked
# package alone.
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

desktop-file-validate "$source/data/org.pemtrix.Pemtrix.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$source/data/org.pemtrix.Pemtrix.metainfo.xml" > "$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "metainfo does not validate"; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/pemtrix_1.000_amd64.deb 2>/dev/null)
[[ -n "$deb" ]] || { fail "no pemtrix_1.000_amd64.deb"; echo "0 passed, $failures failed"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libsqlite3-0 \
              libfontconfig1 fonts-liberation fonts-ipafont-gothic; do
  grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/pemtrix usr/lib/pemtrix/libpemtrix-sdl.so usr/share/pemtrix/buttons/num-7.png \
            usr/share/pemtrix/sounds/button45.mp3 usr/share/applications/org.pemtrix.Pemtrix.desktop \
            usr/share/metainfo/org.pemtrix.Pemtrix.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/org.pemtrix.Pemtrix.svg \
            usr/share/icons/hicolor/48x48/apps/org.pemtrix.Pemtrix.png usr/share/man/man1/pemtrix.1.gz \
            usr/share/doc/pemtrix/copyright usr/share/doc/pemtrix/changelog.gz; do
  [[ -e "$root/$file" ]] || fail "package lacks $file"
done

# The changelog's latest entry is the package's version, and the licence is the same as the
# source tree's.
version=$(dpkg-deb -f "$deb" Version)
[[ "$(gzip -dc "$root/usr/share/doc/pemtrix/changelog.gz" 2>/dev/null | head -n 1)" == "pemtrix ($version) "* ]] ||
  fail "the changelog's latest entry is not version $version"
grep -q '^License: MIT$' "$root/usr/share/doc/pemtrix/copyright" || fail "copyright does not give the MIT licence"
grep -q '<project_license>MIT</project_license>' "$root/usr/share/metainfo/org.pemtrix.Pemtrix.metainfo.xml" ||
  fail "metainfo does not give the MIT licence"
grep -q '^MIT License$' "$source/LICENSE" || fail "LICENSE is not the MIT licence"

# Debian's package checker: errors fail the test; its warnings are shown.
if command -v lintian > /dev/null; then
  lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 ||
    fail "lintian reports errors"
  grep -v '^running with root privileges' "$work/lintian.log"
else
  echo "SKIP lintian: not installed (tools/install-deps --test installs it)"
fi

if [[ -f "$build/libpemtrix-a11y.so" ]]; then
  [[ -e "$root/usr/lib/pemtrix/libpemtrix-a11y.so" ]] || fail "package lacks the accessibility module"
  grep -q libatk-bridge2.0-0 <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "package does not recommend libatk-bridge2.0-0"
fi

bin="$root/usr/bin/pemtrix"
[[ "$("$bin" --version)" == "pemtrix 1.000" ]] || fail "--version from the package"
printf 'press num-7\npress mul\npress num-6\npress equal\nframes 2\nshot %s\ndump\n' "$work/shot.png" > "$work/script"
out=$(env -u PEMTRIX_RESOURCES -u PEMTRIX_BACKEND_MODULE "$bin" --headless --store "$work/store.db" \
      --script "$work/script" 2>"$work/err")
status=$?
[[ $status -eq 0 ]] || { cat "$work/err"; fail "headless script from the package exited $status"; }
grep -q '"tape":\["=42","7\*6"' <<<"$out" || fail "the packaged calculator did not compute 7*6: $out"
[[ -s "$work/shot.png" ]] || fail "no screenshot from the packaged program"

echo "install: $((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures > 0))
