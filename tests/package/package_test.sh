#!/usr/bin/env bash
# The Debian package as a unit's computer gets it: CPack builds it from this build folder's
# programs (nothing is rebuilt), dpkg-deb reads its control fields and file list, dpkg -x unpacks
# it into a scratch root, and the unpacked programs run from there.
# usage: package_test.sh BUILD-FOLDER VERSION "FONT-PACKAGES"
build=$1 version=$2 data_packages=$3
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/../cli/support.sh"

expect_status 0 "cpack" cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out-dir"
deb=$work/out-dir/parvelin_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
  fail "no package $deb ($(tail -c 300 "$work/out"))"
  finish ""
fi

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = parvelin ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
depends=", $(field Depends),"
# The data packages as the build lists them, and the libraries dpkg-shlibdeps found.
for package in $data_packages libqt6widgets6 libqt6printsupport6 libcups2 libc6 libstdc++6; do
  [[ "$depends" == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
[[ "$(field Recommends)" == *fcitx5-frontend-qt6* ]] || fail "Recommends: $(field Recommends)"
description=$(field Description)
[ "$(sed -n 1p <<<"$description" | wc -c)" -le 81 ] || fail "Description: synopsis too long"
[ "$(wc -l <<<"$description")" -ge 4 ] || fail "Description: no long description"

# File list: owned by root, the usual modes, everything under /usr.
dpkg-deb -c "$deb" >"$work/contents"
while read -r mode owner _ _ _ path; do
  [ "$owner" = root/root ] || fail "$path: owner $owner"
  case $mode:$path in
    d*) [ "$mode" = drwxr-xr-x ] || fail "$path: mode $mode" ;;
    *:./usr/bin/*) [ "$mode" = -rwxr-xr-x ] || fail "$path: mode $mode" ;;
    *) [ "$mode" = -rw-r--r-- ] || fail "$path: mode $mode" ;;
  esac
  [[ "$path" == ./usr/* ]] || fail "$path: outside /usr"
done <"$work/contents"
expected_files=(
  usr/bin/parvelin
  usr/bin/parvelin-cli
  usr/lib/parvelin/parvelin-cups-service.so
  usr/share/applications/parvelin.desktop
  usr/share/icons/hicolor/48x48/apps/parvelin.png
  usr/share/icons/hicolor/64x64/apps/parvelin.png
  usr/share/icons/hicolor/128x128/apps/parvelin.png
  usr/share/icons/hicolor/256x256/apps/parvelin.png
  usr/share/icons/hicolor/scalable/apps/parvelin.svg
  usr/share/metainfo/org.parvelin.Parvelin.metainfo.xml
  usr/share/man/man1/parvelin.1.gz
  usr/share/man/man1/parvelin-cli.1.gz
  usr/share/doc/parvelin/copyright
  usr/share/doc/parvelin/changelog.gz
)
for file in "${expected_files[@]}"; do
  grep -q " \./$file\$" "$work/contents" || fail "$file missing from the package"
done

# Unpacked into a scratch root.
root=$work/root
expect_status 0 "dpkg -x" dpkg -x "$deb" "$root"
for program in parvelin parvelin-cli; do
  readelf --section-headers "$root/usr/bin/$program" | grep -q '\.symtab' && fail "$program: not stripped"
done
# The print service's module, where the program looks for it (../lib/parvelin beside its folder):
# it loads with its entry, and libcups is its own, not the program's, which loads it on first print.
module=$root/usr/bin/../lib/parvelin/parvelin-cups-service.so
python3 -c 'import ctypes, sys; ctypes.CDLL(sys.argv[1]).parvelinCupsPrintService' "$module" ||
  fail "the print service's module does not load with its entry"
readelf --dynamic "$root/usr/bin/parvelin" | grep -q 'libcups' && fail "parvelin links libcups itself"
for size in 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/parvelin.png
  # IHDR: width and height, four big-endian bytes each.
  [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    fail "icon ${size}x$size: wrong size"
done
entry=$root/usr/share/applications/parvelin.desktop
for line in 'Exec=parvelin' 'Icon=parvelin' 'Categories=Office;' 'Name=Parvelin' 'Name\[zh_CN\]=.+' \
  'Comment=.+' 'Comment\[zh_CN\]=.+'; do
  grep -Eqx "$line" "$entry" || fail "desktop entry: no $line"
done
for text in changelog.gz; do
  [ "$(zcat "$root/usr/share/doc/parvelin/$text" | head -1)" = "parvelin ($version) unstable; urgency=medium" ] ||
    fail "$text: first line is not the entry of version $version"
done
for page in parvelin parvelin-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 .*$version" ||
    fail "man page $page: no title line with the version"
done
# The AppStream metadata, and the desktop entry it launches, as software centres read them.
expect_status 0 "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$root"
grep -q "version=\"$version\"" "$root/usr/share/metainfo/org.parvelin.Parvelin.metainfo.xml" ||
  fail "metainfo: no release $version"

# The unpacked programs: versions without a display, the command list, the embedded pinyin table.
cli=$root/usr/bin/parvelin-cli
expect_status 0 "parvelin --version" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$root/usr/bin/parvelin" --version
[ "$(cat "$work/out")" = "parvelin $version" ] || fail "parvelin --version printed [$(cat "$work/out")]"
expect_status 0 "parvelin-cli --version" "$cli" --version
[ "$(cat "$work/out")" = "parvelin-cli $version" ] || fail "parvelin-cli --version printed [$(cat "$work/out")]"
expect_status 0 "parvelin-cli --help" "$cli" --help
for command in open seal validate payload pinyin pdf417 render --version; do
  grep -q "^  $command\b" "$work/out" || fail "--help does not list $command"
done
# The manual renders without a warning, and heads each command with its synopsis as --help writes
# it, options included, so that neither falls behind the other.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l \
  "$root/usr/share/man/man1/parvelin-cli.1.gz" 2>"$work/man-warnings")
[ -s "$work/man-warnings" ] && fail "man parvelin-cli warns: $(cat "$work/man-warnings")"
mapfile -t synopses < <(sed -nE 's/^  ([a-z][^ ]*( [^ ]+)*).*/\1/p' "$work/out" |
  sed -E 's/ \| /\n/g' | tr '[:upper:]' '[:lower:]')
[ "${#synopses[@]}" -ge 7 ] || fail "--help: no synopses in $(cat "$work/out")"
for synopsis in "${synopses[@]}"; do
  grep -qFx "       $synopsis" <<<"${manual,,}" || fail "man parvelin-cli: no heading \"$synopsis\""
done
expect_status 0 "pinyin" "$cli" pinyin '单长'
[ "$(tr '\n' '|' <"$work/out")" = "CHAN CHANG|CHAN ZHANG|DAN CHANG|DAN ZHANG|SHAN CHANG|SHAN ZHANG|" ] ||
  fail "pinyin printed [$(cat "$work/out")]"

# lintian: no errors (its warnings and notes are printed for the log).
lintian "$deb" >"$work/lintian" 2>&1
grep -v '^running with root privileges' "$work/lintian"
grep -q '^E: ' "$work/lintian" && fail "lintian reports errors"

finish "package checks passed"
