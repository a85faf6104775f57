#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks that the installed copy stands on its own:
# the layout, no path into the build tree, the commands run from there with a bare environment, the
# desktop files validate and name each other, and the uninstall target removes what the install wrote.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION LIBDIR DATADIR UDEV_RULES_DIR
set -euo pipefail
build=$1 source=$2 version=$3 libdir=$4 datadir=$5 rules=$6

work=$(mktemp -d /tmp/pelmaro-install-XXXXXX)
manifest=$build/install_manifest.txt
# The manifest in the build tree records the user's own install, which `uninstall` reads: keep it.
if [ -e "$manifest" ]; then cp -p "$manifest" "$work/manifest.saved"; fi
cleanup() {
  if [ -e "$work/manifest.saved" ]; then mv -f "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=/usr
root=$work/root
installed=$root$prefix
# The rules folder may be given relative to the prefix or absolute (/etc/udev/rules.d).
case $rules in /*) rule=$root$rules/70-pelmaro.rules ;; *) rule=$installed/$rules/70-pelmaro.rules ;; esac
DESTDIR=$root cmake --install "$build" --prefix "$prefix" > "$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install"; }
cp "$manifest" "$work/manifest"

echo "-- layout"
for file in bin/pelmaro bin/pelmarectl "$libdir/libvinto.so" \
    "$datadir/pelmaro/config.xml" "$datadir/pelmaro/device/pelmaro_m1.xml" \
    "$datadir/pelmaro/language/1033.lan" "$datadir/pelmaro/language/1049.lan" \
    "$datadir/pelmaro/skins/theme1/main_bkg.png"; do
  [ -f "$installed/$file" ] || fail "$prefix/$file is not installed"
done
cmp -s "$build/packaging/70-pelmaro.rules" "$rule" || fail "$rule is missing or differs from the one the build wrote"

echo "-- nothing reaches into the build tree"
for elf in "$installed/bin/pelmaro" "$installed/bin/pelmarectl" "$installed/$libdir/libvinto.so"; do
  if readelf -d "$elf" | grep -E 'RPATH|RUNPATH' | grep -qF "$build"; then
    fail "$elf searches the build tree: $(readelf -d "$elf" | grep -E 'RPATH|RUNPATH')"
  fi
done
bare=(env -i "HOME=$work/home" "XDG_DATA_HOME=$work/home/data" "XDG_CONFIG_HOME=$work/home/config"
      "XDG_CACHE_HOME=$work/home/cache" "PATH=/usr/bin:/bin" "LANG=C.UTF-8")
mkdir -p "$work/home"
# The loader's own answer: the library it would map for the installed program.
loaded=$("${bare[@]}" LD_TRACE_LOADED_OBJECTS=1 "$installed/bin/pelmaro" | sed -n 's/^[[:space:]]*libvinto\.so => \(.*\) (0x.*$/\1/p')
[ -n "$loaded" ] && [ "$(realpath "$loaded")" = "$installed/$libdir/libvinto.so" ] ||
  fail "pelmaro loads libvinto from '$loaded'"

echo "-- the installed commands run"
out=$("${bare[@]}" "$installed/bin/pelmarectl" --version) || fail "pelmarectl --version failed: $out"
[ "$out" = "pelmarectl $version" ] || fail "pelmarectl --version printed: $out"
# A first run reads the installed catalogue and creates the model's settings in the temporary home.
out=$("${bare[@]}" "$installed/bin/pelmarectl" --virtual-mouse profiles 2>"$work/stderr") ||
  fail "pelmarectl --virtual-mouse profiles failed: $(cat "$work/stderr")"
[ ! -s "$work/stderr" ] || fail "pelmarectl --virtual-mouse profiles complained: $(cat "$work/stderr")"
[ "$(head -n 1 <<< "$out")" = "* 1 Profile 1" ] || fail "pelmarectl --virtual-mouse profiles printed: $out"
[ -f "$work/home/data/Pelmaro Files/db/pelmaro_m1_datav1.db" ] || fail "no settings database in the temporary home"
out=$("${bare[@]}" "$installed/bin/pelmaro" --version) || fail "pelmaro --version failed: $out"
[[ $out == "pelmaro $version "* ]] || fail "pelmaro --version printed: $out"

echo "-- desktop entry, icon and AppStream metadata"
entries=("$installed/$datadir/applications/"*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "expected one desktop entry, found: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
desktop-file-validate "${entries[0]}" || fail "desktop-file-validate ${entries[0]}"
metainfo=$installed/$datadir/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata named after $id"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate $metainfo"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"
grep -qx "Icon=$id" "${entries[0]}" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=pelmaro" "${entries[0]}" || fail "the desktop entry does not start pelmaro"
for icon in scalable/apps/$id.svg 48x48/apps/$id.png 128x128/apps/$id.png 256x256/apps/$id.png; do
  [ -s "$installed/$datadir/icons/hicolor/$icon" ] || fail "icon $icon is not installed"
done

echo "-- uninstall"
DESTDIR=$root cmake -DMANIFEST="$work/manifest" -DOWN_FOLDER="$datadir/pelmaro" -P "$source/packaging/Uninstall.cmake" > /dev/null
left=$(find "$root" ! -type d)
[ -z "$left" ] || fail "left after uninstall: $left"
[ ! -e "$installed/$datadir/pelmaro" ] || fail "$prefix/$datadir/pelmaro is left after uninstall"
[ -d "$installed/$datadir/applications" ] || fail "uninstall removed the shared folder $datadir/applications"
echo "install test passed"
