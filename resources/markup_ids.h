// Resource, control and command ids of the picture editor, the pins and the
// magnifier of the picking windows.
#pragma once

// The editor "图片编辑-Vistrel": its tools in the order of markup::Tool
#define IDC_MARKUP_RECTANGLE 1201
#define IDC_MARKUP_ELLIPSE 1202
#define IDC_MARKUP_ARROW 1203
#define IDC_MARKUP_LINE 1204
#define IDC_MARKUP_PEN 1205
#define IDC_MARKUP_HIGHLIGHTER 1206
#define IDC_MARKUP_TEXT 1207
#define IDC_MARKUP_STEP 1208
#define IDC_MARKUP_MOSAIC 1209
#define IDC_MARKUP_CROP 1210
// Line widths 1, 2, 4, 8 px
#define IDC_MARKUP_WIDTH_FIRST 1211
#define IDC_MARKUP_FONT_SIZE 1215
#define IDC_MARKUP_ZOOM 1216
#define IDC_MARKUP_UNDO 1220
#define IDC_MARKUP_REDO 1221
#define IDC_MARKUP_SAVE 1230
#define IDC_MARKUP_COPY 1231
#define IDC_MARKUP_PIN 1232
// The palette's 8 colours, then the system colour dialog
#define IDC_MARKUP_COLOUR_FIRST 1240
#define IDC_MARKUP_MORE_COLOURS 1248
#define IDC_MARKUP_CANVAS 1250
#define IDC_MARKUP_TEXT_EDIT 1251

// A pin's menu
#define IDR_PIN_MENU 1300
#define ID_PIN_COPY 1301
#define ID_PIN_SAVE_AS 1302
#define ID_PIN_EDIT 1303
#define ID_PIN_ORIGINAL_SIZE 1304
#define ID_PIN_INCLUDE_IN_CAPTURE 1305
#define ID_PIN_CLOSE_ALL 1306
#define ID_PIN_CLOSE 1307
