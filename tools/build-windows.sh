#!/usr/bin/env bash
# make windows: the Windows programs cross-built with mingw-w64 against the prebuilt Windows Qt
# beside the repository (../shared/toolchains), a folder that runs as it is, and its installer.
#   build-windows/qt6.4.2-mingw-w64-x86_64/  the Windows Qt, unpacked from the tarball
#   build-windows/build/                     the cross build (ccache where there is one)
#   build-windows/Parvelin/                  parvelin.exe, parvelin-cli.exe and all they need
#   build-windows/Parvelin-<version>-setup.exe
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
out=${WINDOWS_DIR:-build-windows}
jobs=${1:-$(nproc)}
toolchains=${PARVELIN_TOOLCHAINS:-$repo/../shared/toolchains}
tarball=$toolchains/qt6.4.2-mingw-w64-x86_64.tar.xz
if [ ! -f "$tarball" ]; then
  echo "make windows: the Windows Qt is not here ($tarball);" >&2
  echo "build it with ../shared/toolchains/build-qt-mingw.sh, or put the shared folder beside the repository." >&2
  exit 1
fi
bash tools/setup-debian.sh windows

mkdir -p "$out"
out=$(cd "$out" && pwd)
qt=$out/qt6.4.2-mingw-w64-x86_64
if [ ! -f "$qt/.unpacked" ] || [ "$tarball" -nt "$qt/.unpacked" ]; then
  rm -rf "$qt"
  tar -C "$out" -xf "$tarball"
  touch "$qt/.unpacked"
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchains/mingw-w64-x86_64.cmake" \
  -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/tools/wine-run.sh" -DPARVELIN_WINDOWS_LAYOUT="$out/Parvelin" \
  "${launcher[@]}" >/dev/null
cmake --build "$out/build" -j "$jobs" --target parvelin parvelin-cli windows-core-tests windows-program-tests

# The folder that runs as it is: the programs, Qt's libraries and plugins, the mingw runtime, the
# faces of the form and the page, Qt's Chinese texts, and the licences.
layout=$out/Parvelin
rm -rf "$layout"
mkdir -p "$layout"/{platforms,styles,imageformats,fonts,translations,licences}
x86_64-w64-mingw32-strip -o "$layout/parvelin.exe" "$out/build/parvelin.exe"
x86_64-w64-mingw32-strip -o "$layout/parvelin-cli.exe" "$out/build/cli/parvelin-cli.exe"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport libstdc++-6 libgcc_s_seh-1 libwinpthread-1; do
  cp "$qt/bin/$dll.dll" "$layout/"
done
# qwindows: the windows; qoffscreen: the command line's pages, drawn without a screen.
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$layout/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$layout/styles/"
cp "$qt/plugins/imageformats/qico.dll" "$layout/imageformats/"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$layout/translations/"
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$layout/qt.conf"
# The same files that the Debian package's font packages hold (see tools/setup-debian.sh).
for face in "Liberation Sans" "Liberation Sans:bold" "WenQuanYi Zen Hei" "Noto Sans CJK SC" \
  "Noto Serif CJK SC" "AR PL UMing CN"; do
  cp "$(fc-match -f '%{file}' "$face")" "$layout/fonts/"
done
cp LICENSE "$layout/licences/Parvelin.txt"
cp /usr/share/common-licenses/LGPL-3 "$layout/licences/Qt-LGPL-3.txt"
cp /usr/share/common-licenses/GPL-3 "$layout/licences/Qt-GPL-3.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$layout/licences/mingw-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$layout/licences/mingw-w64.txt"
cp /usr/share/doc/fonts-liberation2/copyright "$layout/licences/fonts-liberation.txt"
cp /usr/share/doc/fonts-wqy-zenhei/copyright "$layout/licences/fonts-wqy-zenhei.txt"
cp /usr/share/doc/fonts-noto-cjk/copyright "$layout/licences/fonts-noto-cjk.txt"
cp /usr/share/doc/fonts-arphic-uming/copyright "$layout/licences/fonts-arphic-uming.txt"
printf 'Qt 6.4.2 (qtbase) is built from Debian'"'"'s qt6-base 6.4.2+dfsg-10 source package.\n' \
  >"$layout/licences/Qt-source.txt"

version=$(sed -n 's/^project(Parvelin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$out/Parvelin-$version-setup.exe
makensis -V2 -DLAYOUT="$layout" -DVERSION="$version" -DOUTFILE="$setup" \
  -DICON="$out/build/generated/windows/parvelin.ico" \
  packaging/windows/parvelin.nsi
echo "$layout"
echo "$setup"
