# Shell functions for running the Windows programs under Wine. Source it.
# Everything runs on Wine's 64-bit loader in a 64-bit prefix: the programs
# are x86_64, and machines of this project may be unable to run 32-bit code.

BROVA_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case ":$PATH:" in
  *":$BROVA_TOOLS/bin:"*) ;;
  *) export PATH="$BROVA_TOOLS/bin:$PATH" ;;
esac
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# No desktop menu entries, no offer to install Mono or Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=;mshtml=}"

# The settings below, by version: a prefix made with other settings is made anew.
BROVA_PREFIX_VERSION=5

# brova_init_prefix DIR: a 64-bit Wine prefix with our settings. A missing
# prefix is made; an existing one (the user's own, say) is only given the
# settings, never removed. A 32-bit prefix cannot run our programs: it is
# left as it is and refused.
brova_init_prefix() {
  local dir
  dir=$(realpath -m "$1")
  if [ "$(cat "$dir/.brova-ready" 2>/dev/null)" = "$BROVA_PREFIX_VERSION" ]; then return 0; fi
  if [ -f "$dir/system.reg" ] && grep -q '^#arch=win32' "$dir/system.reg"; then
    echo "wine: $dir is a 32-bit prefix; brova needs a 64-bit one (choose another WINEPREFIX)" >&2
    return 1
  fi
  if [ ! -f "$dir/system.reg" ]; then
    mkdir -p "$dir"
    echo "wine: creating prefix $dir" >&2
    WINEPREFIX="$dir" wine wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX="$dir" wineserver -w
  fi
  # The stand-in for "宋体" (see below) is made into the prefix's own fonts.
  local fonts="$dir/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  if ! /usr/bin/python3 "$BROVA_TOOLS/gen/song_font.py" /usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf \
      "$fonts/brovasong.ttf" 2>/dev/null; then
    echo "wine: could not make the Song face for $dir (python3-fonttools, fonts-arphic-gbsn00lp)" >&2
    return 1
  fi
  local reg
  reg=$(mktemp --suffix=.reg)
  # "宋体" is drawn with AR PL SungtiL GB (fonts-arphic-gbsn00lp; as "Brova
  # SungtiL GB", its underscore raised into the cell, tools/gen/song_font.py), a Song face
  # with the metrics of "宋体": its cell is as high as its characters, digits
  # and Latin letters are half as wide as Chinese characters, so texts fit
  # the places laid out for "宋体"; up to 18 pixels it is drawn hinted and
  # unsmoothed, every stroke whole, as "宋体" is on Windows. (WenQuanYi Zen
  # Hei loses strokes at 9 to 11 pixels per em, 三 reading 二; Noto CJK's
  # taller cell pushes the characters out of their boxes; AR PL UMing is
  # smoothed to faint strokes.) It has the characters of GB 2312; the others
  # come from "SimSun", which Wine falls back to for every font, so that is
  # WenQuanYi Micro Hei, whole at these sizes too. Debian's Wine looks for
  # its own fonts (fonts-wine) in a folder it never finds, so Marlett, the
  # face of the caption buttons, is named by its file. Text and web pages
  # open as on Windows (Notepad, Wine's browser stand-in): Wine names their
  # programs but gives the extensions none. No crash dialogs.
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="Brova SungtiL GB"
"新宋体"="Brova SungtiL GB"
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Marlett (TrueType)"="Z:\\usr\\share\\wine\\fonts\\marlett.ttf"
"Brova SungtiL GB (TrueType)"="brovasong.ttf"

[HKEY_LOCAL_MACHINE\Software\Classes\.txt]
@="txtfile"
"Content Type"="text/plain"

[HKEY_LOCAL_MACHINE\Software\Classes\.htm]
@="htmlfile"
"Content Type"="text/html"

[HKEY_LOCAL_MACHINE\Software\Classes\.html]
@="htmlfile"
"Content Type"="text/html"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
REG
  # regedit reads the file in the locale's code page.
  iconv -f UTF-8 -t GBK "$reg" > "$reg.gbk"
  WINEPREFIX="$dir" wine regedit "$reg.gbk" >/dev/null 2>&1
  WINEPREFIX="$dir" wineserver -w
  rm -f "$reg" "$reg.gbk"
  if ! grep -q 'Brova SungtiL GB' "$dir/user.reg"; then
    echo "wine: could not prepare prefix $dir" >&2
    return 1
  fi
  echo "$BROVA_PREFIX_VERSION" > "$dir/.brova-ready"
}

# brova_isolate_prefix DIR: the user folders of a prefix (Desktop, Documents
# and the like, which Wine links to the home folder) become folders of the
# prefix itself, so tests never write into the home of whoever runs them.
brova_isolate_prefix() {
  local link
  for link in "$1"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm -f "$link"
      mkdir -p "$link"
    fi
  done
}

# brova_copy_prefix TEMPLATE DIR: a private copy for one test. The large,
# never-written files are hard links; the registry files are real copies.
brova_copy_prefix() {
  local template=$1 dir=$2
  rm -rf "$dir"
  cp -al "$template" "$dir"
  for f in "$template"/*.reg; do cp --remove-destination "$f" "$dir/"; done
}

# brova_free_display: prints a display number no X server uses.
brova_free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}

# brova_bench_session ROOT NAME: for a benchmark, a fresh copy of the
# template prefix (ROOT/build/wine64/NAME) and an Xvfb display of its own
# (1280x800), exported as WINEPREFIX and DISPLAY; BROVA_XVFB_PID names the
# display's server.
brova_bench_session() {
  brova_init_prefix "$1/build/wine64/template"
  export WINEPREFIX="$1/build/wine64/$2"
  brova_copy_prefix "$1/build/wine64/template" "$WINEPREFIX"
  local n
  n=$(brova_free_display)
  brova_start_xvfb "$n" 1280x800
  export DISPLAY=":$n"
}

# brova_scratch NAME: a scratch folder /tmp/NAME-XXXXXX as $work, and $xvfb
# empty; on exit the Wine server, the Xvfb named by $xvfb (once set) and the
# folder go.
brova_scratch() {
  work=$(mktemp -d "/tmp/$1-XXXXXX")
  xvfb=""
  trap brova_scratch_cleanup EXIT
}

brova_scratch_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}

# brova_desktop_session ROOT PREFIX WxH: an Xvfb display of that size (its
# server's pid in $xvfb, for brova_scratch's cleanup) and a fresh copy of the
# template prefix at PREFIX, exported as DISPLAY and WINEPREFIX, in which
# every Windows program runs in one Wine desktop filling the screen.
brova_desktop_session() {
  local n
  n=$(brova_free_display)
  brova_start_xvfb "$n" "$3"
  xvfb=$BROVA_XVFB_PID
  export DISPLAY=":$n"
  export WINEPREFIX="$2"
  brova_copy_prefix "$1/build/wine64/template" "$WINEPREFIX"
  printf '\n[Software\\\\Wine\\\\Explorer] 1700000000\n"Desktop"="Default"\n\n[Software\\\\Wine\\\\Explorer\\\\Desktops] 1700000000\n"Default"="%s"\n' \
    "$3" >> "$WINEPREFIX/user.reg"
}

# brova_start_xvfb N WxH: starts Xvfb on :N and waits until it answers.
brova_start_xvfb() {
  local n=$1 size=${2:-1280x800}
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  BROVA_XVFB_PID=$!
  for _ in $(seq 1 100); do
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "Xvfb :$n did not start" >&2
  return 1
}
