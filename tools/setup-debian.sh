#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the program need; with
# "windows", those of the Windows programs' cross build instead (make windows, and CI's Wine leg),
# which a machine that builds only for Linux does not need.
# Only missing packages are installed: apt-get runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  libssl-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n
  libzxing-dev poppler-utils
  # Fonts: the windows draw letters and digits in Liberation Sans, Chinese in WenQuanYi Zen Hei;
  # the printed page uses Noto Sans/Serif CJK SC with AR PL UMing's half-width Latin.
  fonts-liberation2 fonts-noto-cjk fonts-arphic-uming fonts-wqy-zenhei
  # A virtual X server (xvfb-run) to start the program and look at it on a machine without one,
  # xdotool to drive it as a clerk would, ImageMagick's import to take screenshots, and the Chinese
  # input methods clerks use (fcitx5 with its pinyin engine and Qt 6 module, or ibus with its pinyin
  # engine, on a D-Bus session of their own) to type with.
  xvfb xauth xdotool imagemagick ibus ibus-libpinyin dbus-x11
  fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6
  unicode-data python3
  # Printing: libcups to hand the page to the print service and learn what became of the job;
  # the print tests start a print service of their own (cupsd, its tools, and the filters that
  # turn a PDF into PostScript for a printer's driver).
  libcups2-dev cups cups-daemon cups-client cups-filters
  # the Debian package: dpkg-shlibdeps and dpkg-buildflags, and the checks of its test
  dpkg-dev lintian appstream
)

# The Windows programs: mingw-w64 with posix threads (as the Windows Qt was built with), Wine to
# run them and their tests, NSIS for the installer, xz to unpack the Qt, fontconfig's fc-match to
# find the faces that the programs carry.
windows_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 nsis xz-utils fontconfig
  googletest xvfb xauth imagemagick poppler-utils qt6-translations-l10n
  fonts-liberation2 fonts-noto-cjk fonts-arphic-uming fonts-wqy-zenhei
)
if [ "${1:-}" = windows ]; then
  packages=("${windows_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
else
  run=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -q
"${run[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
