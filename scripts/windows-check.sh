#!/usr/bin/env bash
# Checks the Windows build under Wine (wine64 8.0), on Xvfb where a screen is
# needed, in a Wine prefix of its own (BUILD/wine, made afresh). Run by
# scripts/package-windows.sh --test after the build:
#
#   1. the test programs, the window tests on the offscreen platform;
#   2. the installer, silently: Sorvix.exe, the Start-menu and desktop
#      shortcuts and the uninstaller's entry are there; --version;
#   3. the installed program started as a new user: %LOCALAPPDATA%\Sorvix laid
#      out, the draw screen, a round drawn with space and Enter recorded in
#      dat\LuckyList.txt (GBK, CR LF), the exit question;
#   3b. the installer again, over an older user's folder: the factory copies
#      refreshed at the next start, the list, settings and results kept;
#   4. the uninstaller takes the program away and leaves that folder alone;
#   5. the portable folder unpacked under a path with Chinese characters and
#      spaces runs on that folder;
#   6. a configuration bundle saved by the Linux program imports under Wine
#      with the same files, and one saved under Wine imports on Linux.
#
# Screenshots go to screenshots/windows/. Usage:
#   scripts/windows-check.sh BUILD SETUP ZIP [PREFIX]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath "$1")
setup=$(realpath "$2")
zip=$(realpath "$3")
toolchain_version=$(sed -n 's/^version=//p' scripts/windows-toolchain.sh)
prefix=$(realpath -m "${4:-${SORVIX_WINDOWS_PREFIX:-$HOME/.cache/sorvix/windows-$toolchain_version}}")
version=$(sed -n 's/^project(Sorvix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
scripts/install-deps.sh wine64 xvfb xauth xdotool imagemagick unzip
out=$root/screenshots/windows
mkdir -p "$out"

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
export WINEPREFIX=$build/wine WINEARCH=win64 WINEDEBUG=-all
# A fresh prefix would otherwise offer to download Mono and Gecko.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset QT_QPA_PLATFORM
# No sound card here: Wine's ALSA driver plays into a null device.
alsa_conf=$build/alsa-null.conf
printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\n' >"$alsa_conf"
export ALSA_CONFIG_PATH=$alsa_conf
display=:47
step() { echo "== $*"; }
fail() { echo "FAILED: $*"; exit 1; }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
# A path inside the Wine prefix's C: drive.
cdrive() { local p=${1//\\//}; echo "$WINEPREFIX/drive_c/${p#C:/}"; }

pids=()
cleanup() {
  # What still runs in this Wine prefix (only ours), then our own processes.
  wineserver -k 2>/dev/null || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT
start_xvfb() {
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  export DISPLAY=$display
}
# Wine reports a crash of the program in its log.
no_crash() { ! grep -q 'Unhandled' "$1" || fail "the program crashed: $(grep -m1 Unhandled "$1")"; }
shot() { import -display "$display" -window root "$out/$1.png"; echo "   screenshot $out/$1.png"; }
# Without a window manager the keys go to the window under the pointer:
# the middle of the screen, where the program's questions open.
key() { xdotool mousemove 960 540; sleep 0.2; xdotool key "$1"; sleep "${2:-0.7}"; }

rm -rf "$WINEPREFIX"
step "a Wine prefix of our own: $WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1
wineserver -w
# Wine as on a Chinese Windows: the Chinese faces the installer (宋体) and
# the dialogs (the system font, Microsoft YaHei) ask for are Debian's Noto
# Sans CJK, as Wine's own faces have no Chinese.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei" "Microsoft YaHei UI" 黑体 SimHei \
    Tahoma "MS Shell Dlg" "MS Shell Dlg 2"; do
    printf '"%s"="Noto Sans CJK SC"\r\n' "$face"
  done
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$build/wine-fonts.reg"
"$wine" regedit /S "$(winpath "$build/wine-fonts.reg")"
wineserver -w

# ---- 1. the test programs
step "test programs under Wine"
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
tests_path="$(winpath "$prefix/bin");$(winpath "$gcc_runtime");$(winpath /usr/x86_64-w64-mingw32/lib)"
total=0
# run NAME LOG [ARGUMENTS...]: one test program under Wine, its counts.
run_tests() {
  local t=$1 log=$2 start code passed skipped
  shift 2
  start=$(date +%s)
  set +e
  WINEPATH="$tests_path" QT_PLUGIN_PATH="$(winpath "$prefix/plugins")" QT_QPA_PLATFORM=offscreen \
    "$wine" "$build/tests/$t.exe" --gtest_brief=1 "$@" >"$log" 2>&1
  code=$?
  set -e
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log")
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?[.,].*/\1/p' "$log")
  echo "   $t $*: ${passed:-0} passed, ${skipped:-0} skipped, exit code $code, $(( $(date +%s) - start )) s"
  grep -E '^\[  (FAILED|SKIPPED) \] [A-Za-z]|Skipped$' -A1 "$log" | grep -v '^--' | sed 's/^/     /' || true
  grep -E '^kills: ' "$log" | sed 's/^/     /' || true
  [ $code -eq 0 ] || fail "$t under Wine (log $log)"
  total=$((total + ${passed:-0}))
}
# The kill test kills the cross-built driver (TerminateProcess).
SORVIX_KILLDRIVER="$(winpath "$build/tests/killdriver.exe")" SORVIX_KILL_COUNT=100 \
  run_tests sorvix_tests "$build/tests/sorvix_tests-wine.log"
# Wine 8.0's Media Foundation opens no music file through Qt's player
# (Windows 10 and 11 do): the tests that wait for music to play wait for a
# real Windows. The offscreen platform here shows one screen whatever its
# configuration file says, so the two-screen tests are left out too.
run_tests sorvix_ui_tests "$build/tests/sorvix_ui_tests-wine.log" \
  --gtest_filter=-QtSoundTest.PlayAskedWhileLoadingStartsOnceLoaded:QtSoundTest.UndecodableMusicIsSilent:QtSoundTest.EveryRepeatAsksForTheSoundSwitchAndPlaysOnlyWhenOn:TwoScreens.*
echo "   $total tests passed under Wine"

# ---- 2. the installer, silently
step "the installer: its first page, then a silent install: $(basename "$setup")"
start_xvfb
"$wine" "$setup" >/dev/null 2>&1 &
sleep 8
shot installer
wineserver -k
wineserver -w
"$wine" "$setup" /S
wineserver -w
installed=$(cdrive "C:/Program Files/Sorvix")
menu_link=$(cdrive "C:/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvix 抽奖软件.lnk")
desk_link=$(cdrive "C:/users/Public/Desktop/Sorvix 抽奖软件.lnk")
[ -f "$installed/Sorvix.exe" ] || fail "no Sorvix.exe in Program Files"
[ -f "$installed/factory/Tlottery.dll" ] || fail "no factory folder"
[ -f "$menu_link" ] || fail "no Start-menu shortcut"
[ -f "$desk_link" ] || fail "no desktop shortcut"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvix' /v DisplayVersion 2>/dev/null \
  | tr -d '\r' | grep -q "$version" || fail "no uninstaller entry"
echo "   $(find "$installed" -type f | wc -l) files in C:\\Program Files\\Sorvix, both shortcuts, the uninstaller entry"
printed=$("$wine" "C:\\Program Files\\Sorvix\\Sorvix.exe" --version | tr -d '\r')
echo "   Sorvix.exe --version: $printed"
[ "$printed" = "Sorvix $version" ] || fail "--version printed \"$printed\""

# ---- 3. the installed program started as a new user
step "the installed program, first start of this Wine user"
appdata=$("$wine" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
user_folder=$(cdrive "$appdata/Sorvix")
rm -rf "$user_folder"
(cd "$installed" && exec "$wine" "C:\\Program Files\\Sorvix\\Sorvix.exe" --factory "C:\\Program Files\\Sorvix\\factory") \
  >"$build/wine-installed.log" 2>&1 &
app=$!
pids+=($app)
sleep 12
[ -f "$user_folder/Tlottery.dll" ] && [ -f "$user_folder/factoryversion.dll" ] || fail "no folder laid out in $appdata\\Sorvix"
echo "   laid out: $appdata\\Sorvix ($(find "$user_folder" -type f | wc -l) files)"
shot draw-screen
key space 1.2
shot rolling
key Return 2
shot first-round
lucky=$user_folder/dat/LuckyList.txt
[ -s "$lucky" ] || fail "no dat\\LuckyList.txt after a round"
[ "$(head -n1 "$user_folder/status.dll" | tr -d '\r')" = 1 ] || fail "status.dll does not count the round"
iconv -f GBK -t UTF-8 "$lucky" >/dev/null || fail "dat\\LuckyList.txt is not GBK"
[ "$(grep -c $'\r$' "$lucky")" = "$(wc -l <"$lucky")" ] || fail "dat\\LuckyList.txt has lines without CR LF"
echo "   dat\\LuckyList.txt: $(wc -l <"$lucky") lines, GBK, CR LF: $(sed -n 2,4p "$lucky" | iconv -f GBK -t UTF-8 | tr -d '\r' | tr '\n' ' ')"
# Closing asks first: the exit question is the dialog looked at.
key alt+F4 1.5
shot exit-question
key Return 1
# The program is the prefix's only one: Wine's server ends after it.
if ! timeout 20 wineserver -w; then
  shot after-exit-question
  fail "the program did not end after the exit question"
fi
no_crash "$build/wine-installed.log"

# ---- 3b. an upgrade: the installer again over an older user's folder
step "an upgrade: the installer over the installed program, the user's factory copies refreshed"
printf '0.9.0\r\n' >"$user_folder/factoryversion.dll"
echo damaged >"$user_folder/DLL/Tlottery.dll"
own() { (cd "$user_folder" && find . -type f ! -path './DLL/*' ! -name factoryversion.dll ! -path './bg/*' \
  ! -path './pics/*' ! -path './voice/*' ! -path './help/*' ! -name template.xls ! -path './data/*' \
  ! -name sorvix.lock -print0 | LC_ALL=C sort -z | xargs -0 sha256sum | sha256sum | cut -c1-16); }
kept=$(own)
"$wine" "$setup" /S
wineserver -w
[ -f "$installed/Sorvix.exe" ] && [ -f "$menu_link" ] || fail "the upgrade left no program or shortcut"
(cd "$installed" && "$wine" "C:\\Program Files\\Sorvix\\Sorvix.exe" --factory "C:\\Program Files\\Sorvix\\factory") \
  >"$build/wine-upgraded.log" 2>&1 &
pids+=($!)
disown # ended by wineserver -k below, which is no news
sleep 10
# The refresh is done before the window, which asks whether to go on with the draw.
shot upgraded-start
wineserver -k
wineserver -w
no_crash "$build/wine-upgraded.log"
cmp -s "$user_folder/DLL/Tlottery.dll" "$installed/factory/DLL/Tlottery.dll" || fail "DLL\\Tlottery.dll not refreshed"
[ "$(tr -d '\r' <"$user_folder/factoryversion.dll")" = "$version" ] || fail "factoryversion.dll not $version"
[ "$(own)" = "$kept" ] || fail "the upgrade changed the user's list, settings or results"
echo "   DLL\\ refreshed, stamp $version, the list, settings and results unchanged ($kept)"

# ---- 4. the uninstaller
step "the uninstaller leaves the user's folder alone"
digest() { (cd "$1" && find . -type f ! -name sorvix.lock -print0 | LC_ALL=C sort -z | xargs -0 sha256sum | sha256sum | cut -c1-16); }
before=$(digest "$user_folder")
"$wine" "C:\\Program Files\\Sorvix\\uninstall.exe" /S
wineserver -w
sleep 2
wineserver -w
[ ! -e "$installed/Sorvix.exe" ] || fail "Sorvix.exe still installed"
[ ! -e "$menu_link" ] && [ ! -e "$desk_link" ] || fail "a shortcut is left"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvix' >/dev/null 2>&1 \
  && fail "the uninstaller entry is left"
[ "$(digest "$user_folder")" = "$before" ] || fail "the uninstaller changed $appdata\\Sorvix"
echo "   program, shortcuts and entry gone; $appdata\\Sorvix unchanged ($before)"

# ---- 5. the portable folder under a path with Chinese characters and spaces
step "the portable folder in C:\\年会 抽奖\\U 盘"
place=$(cdrive "C:/年会 抽奖/U 盘")
rm -rf "$place" && mkdir -p "$place"
unzip -q "$zip" -d "$place"
(cd "$place/Sorvix" && "$wine" "C:\\年会 抽奖\\U 盘\\Sorvix\\Sorvix.exe") >"$build/wine-portable.log" 2>&1 &
app=$!
pids+=($app)
disown # ended by wineserver -k below, which is no news
sleep 10
key space 1.2
key Return 2
shot portable-round
[ -s "$place/Sorvix/dat/LuckyList.txt" ] || fail "the portable program did not draw on its own folder"
[ "$(digest "$user_folder")" = "$before" ] || fail "the portable program touched $appdata\\Sorvix"
echo "   drawn on its own folder: $(wc -l <"$place/Sorvix/dat/LuckyList.txt") lines in dat\\LuckyList.txt"
# Ended by force, as a power cut would: every process of this Wine prefix.
wineserver -k
wineserver -w
no_crash "$build/wine-portable.log"

# ---- 6. a configuration bundle both ways
# The menus are reached with the mouse, as an operator does: the context
# menu's "显示主菜单", then "操作控制" and the item (positions for 1920 x 1080,
# Linux's Fusion and Windows' own style).
step "a configuration bundle: saved on Linux, imported under Wine, saved again, imported on Linux"
linux_program=$root/build/program/Sorvix
[ -x "$linux_program" ] || "$root/scripts/build.sh" Sorvix >/dev/null
work=$build/bundle-check
rm -rf "$work" && mkdir -p "$work"
members=(bgtheme.dll Curtain.dll bgshow.dll Tlottery.dll keyword.dll showword.dll
  Tname.dll Tmobile.dll Tid.dll Tbadge.dll Tgroup.dll)
same_members() { # same_members DIR DIR: the bundle's member files, byte for byte
  local m
  for m in "${members[@]}"; do cmp -s "$1/$m" "$2/$m" || { echo "   $m differs"; return 1; }; done
}
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click "${3:-1}"; sleep "${4:-0.8}"; }
# menu_command SYSTEM ITEM: the item of "操作控制" ("save" or "import")
menu_command() {
  click 880 540 3
  if [ "$1" = linux ]; then click 935 551; else click 950 554; fi
  click 35 10
  case $1-$2 in
    linux-save) click 70 189 1 2 ;;
    linux-import) click 70 211 1 2 ;;
    wine-save) click 70 204 1 3 ;;
    wine-import) click 70 226 1 3 ;;
  esac
}
# file_name SYSTEM PATH: typed into the file dialog's name field, then Enter
file_name() {
  if [ "$1" = linux ]; then
    xdotool key ctrl+a
  else
    click 382 574
    xdotool key End shift+Home BackSpace
  fi
  xdotool type --delay 20 "$2"
  sleep 0.3
  xdotool key Return
  sleep 2.5
}
start_linux() { # start_linux FOLDER: the Linux program on its folder
  cp "$linux_program" "$1/"
  (cd "$1" && exec ./Sorvix) >"$1.log" 2>&1 &
  pids+=($!)
  app=$!
  sleep 5
}
stop_linux() { kill "$app"; wait "$app" 2>/dev/null || true; }

# The Linux folder gets a list of its own: the demonstration people in the
# other order, and names with the euro sign (0x80) and rarer characters.
linux=$work/linux
cp -r "$root/build/program" "$linux"
rm -f "$linux/Sorvix"
python3 - "$linux" <<'PY'
import sys
folder = sys.argv[1]
names = ["Tname.dll", "Tmobile.dll", "Tid.dll", "Tbadge.dll", "Tgroup.dll"]
columns = [open(f"{folder}/{n}", "rb").read().split(b"\r\n")[:-1] for n in names]
extra = [["欧阳娜娜".encode("gbk"), "龘龘".encode("gbk"), b"\x80" + "元宝".encode("gbk")],
         [b"13900000001", b"", b"13900000003"], [b"", b"110101199001011234", b""],
         [b"QW-01", b"QW-02", b""], [b"", b"", b""]]
for n, column, more in zip(names, columns, extra):
    rows = [column[0]] + column[1:][::-1] + more
    open(f"{folder}/{n}", "wb").write(b"".join(r + b"\r\n" for r in rows))
PY
start_linux "$linux"
menu_command linux save
file_name linux "$work/linux.drcf"
shot bundle-saved-linux
key Return
stop_linux
[ -s "$work/linux.drcf" ] || fail "the Linux program saved no bundle"

windows=$(cdrive "C:/bundle/Sorvix")
rm -rf "$(dirname "$windows")" && mkdir -p "$(dirname "$windows")"
unzip -q "$zip" -d "$(dirname "$windows")"
(cd "$windows" && exec "$wine" "C:\\bundle\\Sorvix\\Sorvix.exe") >"$work/wine.log" 2>&1 &
app=$!
pids+=($app)
sleep 10
menu_command wine import
shot bundle-import-dialog
file_name wine "$(winpath "$work/linux.drcf")"
shot bundle-imported-wine
key Return 1
same_members "$linux" "$windows" || fail "the bundle saved on Linux imported under Wine with other files"
echo "   imported under Wine: the ${#members[@]} member files as on Linux"
menu_command wine save
shot bundle-save-dialog
file_name wine "$(winpath "$work/windows.drcf")"
key Return
cmp "$work/linux.drcf" "$work/windows.drcf" || fail "the bundle saved under Wine differs from Linux's"
echo "   saved under Wine: the same bundle, byte for byte ($(stat -c %s "$work/windows.drcf") bytes)"
key alt+F4 1.5
key Return 1
timeout 20 wineserver -w || fail "the program under Wine did not end"
no_crash "$work/wine.log"

back=$work/linux-back
cp -r "$root/build/program" "$back"
rm -f "$back/Sorvix"
start_linux "$back"
menu_command linux import
file_name linux "$work/windows.drcf"
shot bundle-imported-linux
key Return
stop_linux
same_members "$windows" "$back" || fail "the bundle saved under Wine imported on Linux with other files"
echo "   imported on Linux: the ${#members[@]} member files as under Wine"
echo "all Windows checks passed; screenshots in $out/"
