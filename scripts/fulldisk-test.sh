#!/bin/sh
# The full-disk check, on demand (not part of the test suite): lays out a
# program folder with the demo event on a small file system, draws the whole
# event while the disk fills up before some stops, frees the space and goes
# on, then checks that every revealed winner stands in its level's file and
# in dat/LuckyList.txt exactly once and that status.dll never skipped a round.
#
#   scripts/fulldisk-test.sh <build folder> [round to fill before ...]
#
# As root it mounts a 4 MB tmpfs; elsewhere (or when mounting is refused) the
# program folder is made read-only before those stops instead, and it says so.
# Needs the target diskdriver built.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 <build folder> [rounds]" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift
rounds=${*:-"1 2 3"}
driver="$build/tests/diskdriver"
if [ ! -x "$driver" ]; then
    echo "missing $driver: build the target diskdriver first" >&2
    exit 2
fi

dir=$(mktemp -d)
mounted=0
cleanup() {
    if [ "$mounted" = 1 ]; then umount "$dir"; fi
    rm -rf "$dir"
}
trap cleanup EXIT
mode=refuse
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=4m tmpfs "$dir" 2>/dev/null; then
    mounted=1
    mode=disk
    echo "file system: tmpfs of 4 MB at $dir"
else
    echo "file system: mounting not permitted here; the program folder is made read-only before those stops instead"
fi

mkdir "$dir/data" "$dir/dat" "$dir/datm" "$dir/DLL"
cp "$source_dir"/assets/factory/* "$dir/"
cp "$source_dir"/assets/factory/* "$dir/DLL/"

log="$dir.log"
status=0
QT_QPA_PLATFORM=offscreen "$driver" "$dir" "$mode" $rounds >"$log" 2>&1 || status=$?
[ "$mode" = disk ] && df -k "$dir" | tail -1 | awk '{print "disk after the draw: " $2 " KB, " $3 " KB used"}'
if [ "$status" != 0 ]; then
    cat "$log"
    echo "FAIL: the driver ended with $status"
    rm -f "$log"
    exit 1
fi

fail=0
count=$(head -1 "$dir/filenameqty.dll" | tr -d '\r')
# status.dll after every event: never more than one round ahead of the last.
last=0
for s in $(sed -n 's/^status //p' "$log"); do
    if [ "$s" -gt $((last + 1)) ] || [ "$s" -lt "$last" ]; then
        echo "FAIL: status.dll went from $last to $s"
        fail=1
    fi
    last=$s
done
[ "$last" = "$count" ] || { echo "FAIL: status.dll ends at $last of $count rounds"; fail=1; }

# Every revealed winner once in its level's file and once in the winners list.
iconv -f GBK -t UTF-8 "$dir/dat/LuckyList.txt" | tr -d '\r' >"$dir.list"
revealed=0
sed -n 's/^revealed //p' "$log" >"$dir.revealed"
while read -r level names; do
    iconv -f GBK -t UTF-8 "$dir/dat/$level.dll" | tr -d '\r' >"$dir.level"
    for name in $(echo "$names" | tr ',' ' '); do
        revealed=$((revealed + 1))
        in_level=$(grep -cxF "$name" "$dir.level" || true)
        in_list=$(grep -cxF "$name" "$dir.list" || true)
        if [ "$in_level" != 1 ] || [ "$in_list" != 1 ]; then
            echo "FAIL: $name (level $level) stands $in_level times in dat/$level.dll, $in_list times in LuckyList.txt"
            fail=1
        fi
    done
done <"$dir.revealed"
listed=$(grep -cvE '^$|^\(|等奖$' "$dir.list" || true)

echo "rounds: $count, fills before rounds: $rounds, winners revealed: $revealed, names in LuckyList.txt: $listed"
echo "stops that failed: $(grep -c '^notice 本轮中奖结果没能保存' "$log" || true), retries still failing: $(grep -c '仍然没能保存' "$log" || true), retries that saved: $(grep -c '已经保存成功' "$log" || true)"
rm -f "$log" "$dir.list" "$dir.level" "$dir.revealed"
if [ "$fail" = 0 ]; then
    echo "PASS"
else
    exit 1
fi
