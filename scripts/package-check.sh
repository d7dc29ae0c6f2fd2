#!/usr/bin/env bash
# Checks the built package on this machine, as root: installs
# dist/sorvix_*.deb, starts sorvix as an ordinary user under Xvfb, draws a
# round with the keys and looks for it in that user's folder; lays out an
# empty folder with --folder; tries a folder that cannot be written; ages the
# user's folder to an older version and sees only the factory copies
# refreshed; reinstalls and removes the package and sees the user's files
# untouched. Screenshots (the first round, the icon at 48 and 256 px) go to
# screenshots/package/. Usage: scripts/package-check.sh [user name]
set -euo pipefail
cd "$(dirname "$0")/.."
user=${1:-sorvixcheck}
out=screenshots/package
mkdir -p "$out"
deb=$(ls dist/sorvix_*.deb)
scripts/install-deps.sh xdotool imagemagick xvfb xauth
step() { echo "== $*"; }
fail() { echo "FAILED: $*"; exit 1; }

step "install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$deb" >/dev/null
dpkg -L sorvix | grep -E '^/usr/(bin|lib/sorvix/Sorvix$|share/applications|share/metainfo)' || true
id "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
folder=$home/.local/share/Sorvix
rm -rf "$folder" "$home/event"
as_user() { runuser -u "$user" -- env HOME="$home" LANG=C.UTF-8 "$@"; }

step "sorvix --version and --help as $user"
as_user sorvix --version
as_user sorvix --help | head -3

step "first start of $user under Xvfb, one round drawn with the keys"
cat >"$home/round.sh" <<'INNER'
#!/bin/sh
sorvix >/tmp/sorvix-check.log 2>&1 &
app=$!
sleep 5
xdotool key space; sleep 1
xdotool key Return; sleep 1.5
import -window root "$1"
kill $app; wait $app 2>/dev/null || true
INNER
chmod +x "$home/round.sh"
as_user xvfb-run -a -s "-screen 0 1920x1080x24" "$home/round.sh" /tmp/sorvix-round.png
cp /tmp/sorvix-round.png "$out/first-round.png"
[ -d "$folder" ] || fail "no folder $folder"
ls "$folder"
echo "owner: $(stat -c %U "$folder")   status.dll: $(head -n1 "$folder/status.dll" | tr -d '\r')"
[ "$(head -n1 "$folder/status.dll" | tr -d '\r')" = 1 ] || fail "the round was not recorded in status.dll"
[ -s "$folder/dat/LuckyList.txt" ] || fail "no winners list"
echo "dat/LuckyList.txt:"; iconv -f GBK -t UTF-8 "$folder/dat/LuckyList.txt" | head -6

step "--folder on an empty folder"
as_user mkdir -p "$home/event"
as_user env SORVIX_BENCH_FIRST_FRAME=1 xvfb-run -a sorvix --folder "$home/event" | grep -q first-frame \
  || fail "--folder did not start"
[ -f "$home/event/Tlottery.dll" ] && [ -f "$home/event/data/0.dll" ] || fail "--folder did not lay out"
echo "laid out and started: $(ls "$home/event" | wc -l) entries, round plan of $(head -n1 "$home/event/filenameqty.dll" | tr -d '\r') rounds"

step "--folder that cannot be written"
set +e
as_user sorvix --folder /usr/lib/sorvix/event; code=$?
set -e
echo "exit code $code"
[ $code -eq 1 ] || fail "expected exit code 1"

step "an older folder meets this version: only the factory copies change"
printf '0.9.0\r\n' >"$folder/factoryversion.dll"
echo damaged >"$folder/DLL/Tlottery.dll"
sum() { (cd "$folder" && find . -type f ! -path './DLL/*' ! -name factoryversion.dll ! -path './bg/*' \
  ! -path './pics/*' ! -path './voice/*' ! -path './help/*' ! -name template.xls ! -path './data/*' ! -name sorvix.lock -print0 \
  | sort -z | xargs -0 sha256sum | sha256sum); }
before=$(sum)
# The drawn round makes the start ask whether to continue: the refresh is
# done before the window, so the program is ended after a while.
as_user timeout 20 xvfb-run -a sorvix >/dev/null 2>&1 || true
cmp -s "$folder/DLL/Tlottery.dll" /usr/lib/sorvix/factory/DLL/Tlottery.dll || fail "DLL not refreshed"
echo "stamp now $(tr -d '\r' <"$folder/factoryversion.dll"), DLL\\Tlottery.dll refreshed"
after=$(sum)
echo "list, settings, results and history before/after: ${before%% *} ${after%% *}"
[ "$before" = "$after" ] || fail "the user's own files changed"

step "reinstall and remove keep the user's files"
whole() { (cd "$home" && find .local/share/Sorvix event -type f -print0 | sort -z | xargs -0 sha256sum | sha256sum); }
kept=$(whole)
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "./$deb" >/dev/null
[ "$(whole)" = "$kept" ] || fail "reinstall changed the user's files"
echo "after reinstall: same"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q sorvix >/dev/null
[ "$(whole)" = "$kept" ] || fail "removal changed the user's files"
echo "after removal: same ($(find "$folder" -type f | wc -l) files in $folder)"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$deb" >/dev/null

step "the desktop entry's icon at 48 and 256 px"
icon=$(sed -n 's/^Icon=//p' /usr/share/applications/org.sorvix.Sorvix.desktop)
cat >/tmp/sorvix-icons.sh <<INNER
#!/bin/sh
display -geometry +20+20 /usr/share/icons/hicolor/48x48/apps/$icon.png &
small=\$!
display -geometry +100+20 /usr/share/icons/hicolor/256x256/apps/$icon.png &
large=\$!
sleep 2
import -window root -crop 380x300+0+0 "\$1"
kill \$small \$large
INNER
chmod +x /tmp/sorvix-icons.sh
xvfb-run -a -s "-screen 0 640x400x24" /tmp/sorvix-icons.sh "$out/icon-48-256.png"
echo "all checks passed; screenshots in $out/"
