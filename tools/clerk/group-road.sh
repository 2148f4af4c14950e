#!/bin/bash
# Six applicants of one group, typed into a fresh program as a clerk types them through fcitx5
# pinyin, counting the keys (each key of a chord) and the clicks per applicant:
#   tools/clerk/group-road.sh arrows PROGRAM   lists chosen with ↓, late controls with the mouse
#   tools/clerk/group-road.sh typing PROGRAM   lists chosen by typing, late controls by their keys
# PROGRAM is copied into /tmp/clerk/road-MODE, where it saves its files (checked afterwards with
# parvelin-cli open). Positions are those of the form on desktop.sh's screen.
set -u
mode=$1
folder=/tmp/clerk/road-$mode
rm -rf "$folder" /tmp/clerk/home/.config/Parvelin
mkdir -p "$folder" && cp "$2" "$folder/parvelin"
[ -f /tmp/clerk/program.pid ] && kill "$(cat /tmp/clerk/program.pid)" 2>/dev/null
"$(dirname "$0")/desktop.sh" "$folder/parvelin"
sleep 3
source /tmp/clerk/env.sh

keys=0 clicks=0
key() { for k in "$@"; do xdotool key --delay 40 "$k"; keys=$((keys + $(awk -F+ '{print NF}' <<<"$k"))); sleep 0.12; done; }
typ() { xdotool type --delay 50 "$1"; keys=$((keys + ${#1})); sleep 0.15; }
ime() { typ "$1"; sleep 0.2; key space; sleep 0.3; } # pinyin, and Space takes the first word
tabs() { for _ in $(seq 1 "$1"); do key Tab; done; }
click() { xdotool mousemove "$1" "$2" click 1; clicks=$((clicks + 1)); sleep 0.4; }
down() { for _ in $(seq 1 "$1"); do key Down; done; }
# A list's entry: ↓ so many times, or its pinyin typed (Esc then drops the input method's phrase).
choose() { if [ "$mode" = arrows ]; then down "$1"; else typ "$2"; key Escape; fi; }
# A late control: clicked (its list opens; ↓ and Return choose), or reached by its key.
late() { if [ "$mode" = arrows ]; then click $1; down "$3"; key Return; else key "$2"; typ "$4"; key Escape; fi; }

# surname, given name, identity number; 出生地, 职务, 民族 as ↓ presses and as typed
applicants=(
    "wang qiang 110105198503152313 3 bj 10 xczz 1 h"
    "li na 330106199007221422 34 zj 14 xkzz 1 h"
    "zhang wei 130102197811043530 11 hb 15 zrky 1 h"
    "liu fang 440103198812302040 7 gd 13 fdy 22 hui"
    "chen jie 510107199206064159 27 sc 18 ky 1 h"
    "yang jing 320102198309181268 17 js 19 bsy 1 h"
)
form=$(xdotool search --onlyvisible --name '因公' | head -1)
xdotool windowfocus "$form"; sleep 0.5
n=0
for applicant in "${applicants[@]}"; do
    read -r surname given number placeDowns place positionDowns position nationDowns nation <<<"$applicant"
    n=$((n + 1)); keys0=$keys clicks0=$clicks
    if [ $n = 1 ]; then
        key ctrl+space # the input method on, once
        ime waifa; key ctrl+space; typ "[2026]118"; key ctrl+space; ime hao
        tabs 2 # past 个人序号, proposed
    elif [ "$mode" = arrows ]; then
        click 487 334 # 中文姓: the caret stayed on the last list
    fi
    ime "$surname"; tabs 1; ime "$given"; tabs 4
    typ "$number"; tabs 1
    choose "$placeDowns" "$place"; tabs 3 # 出生日期 and 性别 follow the number
    typ 10000000000000012345; tabs 4      # 数字照片编号, then past 对外单位, 加注, 对外身份
    choose 1 gj; tabs 1                   # 职业属性 国家公务员
    choose "$positionDowns" "$position"; tabs 1
    choose 2 w                            # 原持有效护照情况 无
    if [ $n = 1 ]; then
        late "508 446" alt+d 3 yz # 工作单位 亚洲司
        click 999 643             # 保留团组信息
    fi
    late "805 493" alt+m "$nationDowns" "$nation" # 民族
    key ctrl+s
    # The Save dialog and the box that says it was saved, each taken with Return; without a
    # window manager they are given the keyboard here, as a desktop would.
    for _ in 1 2 3 4; do
        sleep 1
        box=$(xdotool search --onlyvisible --class parvelin | grep -v "^$form$" | while read -r w; do
            t=$(xdotool getwindowname "$w"); [ -n "$t" ] && [ "$t" != parvelin ] && echo "$w"; done | tail -1)
        [ -z "$box" ] && break
        xdotool windowfocus "$box"; sleep 0.3; key Return
    done
    xdotool windowfocus "$form"; sleep 0.3
    echo "applicant $n: $((keys - keys0)) keys, $((clicks - clicks0)) clicks"
done
echo "all six: $keys keys, $clicks clicks; files:"
ls "$folder"/Lorvane/*/
