#!/bin/bash
# A clerk's desktop to look at the program on: a virtual X server (:7, 1400x1000), a D-Bus session
# and fcitx5 with pinyin, in a home folder of its own under /tmp/clerk/home, then the program given
# ("build/parvelin" and its arguments). No window manager runs: click a window to give it the
# keyboard. What to source to reach it is written to /tmp/clerk/env.sh.
set -u
home=/tmp/clerk/home
mkdir -p "$home/.config/fcitx5" "$home/Documents"
cat > "$home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
PROFILE
export HOME=$home DISPLAY=:7 XDG_DOCUMENTS_DIR=$home/Documents
pkill -f 'Xvfb :7' ; sleep 0.5
Xvfb :7 -screen 0 1400x1000x24 >/tmp/clerk/xvfb.log 2>&1 &
sleep 1
eval "$(dbus-launch --sh-syntax)"
{
    echo "export DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS"
    echo "export HOME=$HOME DISPLAY=$DISPLAY"
} > /tmp/clerk/env.sh
fcitx5 -d --disable=wayland,kimpanel,notificationitem >/tmp/clerk/fcitx.log 2>&1
sleep 2
QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx "$@" >/tmp/clerk/program.log 2>&1 &
echo $! > /tmp/clerk/program.pid
