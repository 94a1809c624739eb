#!/usr/bin/env bash
# Draws the reminder prompt's default skin into resources/data: the 300 x 180
# background, the confirm button's strip of five frames (normal, hovered,
# pressed, disabled, selected), the skin file config.dat (GBK) and notify.wav.
set -e
cd "$(dirname "$0")"
out=../data
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# Background: a green title strip (the drag area), a pale face, a bell at the
# left of the text area and a footer band that holds the snooze list and button.
convert -size 300x180 xc:"rgb(250,255,243)" \
  -fill "rgb(109,186,43)" -draw "rectangle 0,0 299,23" \
  -fill "rgb(142,204,86)" -draw "rectangle 0,22 299,23" \
  -font "$font" -pointsize 13 -fill white -annotate +8+17 "计划提醒" \
  -fill "rgb(220,238,200)" -draw "rectangle 0,146 299,179" \
  -fill "rgb(190,222,160)" -draw "line 0,146 299,146" \
  -fill "rgb(236,246,226)" -draw "roundrectangle 10,52 68,128 8,8" \
  -fill "rgb(240,180,40)" -stroke "rgb(170,110,20)" -strokewidth 1 \
  -draw "path 'M 25,100 C 25,72 31,64 39,64 C 47,64 53,72 53,100 L 57,106 L 21,106 Z'" \
  -draw "circle 39,110 39,114" -draw "circle 39,61 39,64" \
  -stroke none -fill "rgba(255,255,255,0.55)" -draw "ellipse 33,80 3,10 0,360" \
  -type TrueColor -alpha off BMP3:$out/prompt_bg.bmp

# The confirm button: five 70 x 22 frames side by side.
frame() {  # fill, border, text colour, y offset of the text
  convert -size 70x22 xc:"rgb(220,238,200)" -fill "$1" -stroke "$2" -draw "roundrectangle 0,0 69,21 4,4" \
    -stroke none -font "$font" -pointsize 12 -fill "$3" -gravity center -annotate +0+$4 "确定" "$5"
}
tmp=$(mktemp -d)
frame "rgb(109,186,43)" "rgb(70,140,25)" white 0 $tmp/0.png
frame "rgb(135,206,70)" "rgb(70,140,25)" white 0 $tmp/1.png
frame "rgb(80,150,30)" "rgb(50,110,15)" "rgb(235,245,225)" 1 $tmp/2.png
frame "rgb(200,205,195)" "rgb(160,165,155)" "rgb(130,130,130)" 0 $tmp/3.png
frame "rgb(60,130,20)" "rgb(255,210,60)" white 0 $tmp/4.png
convert $tmp/0.png $tmp/1.png $tmp/2.png $tmp/3.png $tmp/4.png +append \
  -type TrueColor -alpha off BMP3:$out/prompt_ok.bmp
rm -r $tmp

iconv -f UTF-8 -t GB18030 > $out/config.dat <<'SKIN'
// 计划提醒窗口的外观
// 提醒列表的位置: x,y,宽,下拉高度
[DIALOG_PROMPT_LIST_POSITION]
80,152,130,150
// 背景图片 (300 x 180)
[BITMAP_BACKGROUND_PROMPT]
data\prompt_bg.bmp
// 按钮: x,y,宽,高,状态,掩码,单选,图片 (五帧: 普通, 悬停, 按下, 禁用, 选中)
[BUTTON_BEGIN_PROMPT]
220,152,70,22,0,199,0,data\prompt_ok.bmp
[BUTTON_END]
SKIN
sed -i 's/$/\r/' $out/config.dat

python3 make_notify_wav.py $out/notify.wav
