#!/usr/bin/env bash
# A newer starter installed over the unpacked package reaches the user's own
# catalogue: a start killed in the middle of the merge leaves the catalogue as
# it was, the next start completes it and says so once, from the tray icon and
# on standard error; the user's own papers, changes and deletions stay.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

deb=$(ls "$KELVANE_DEB_DIR"/kelvane_*.deb | head -n1)
prefix=$(mktemp -d)
program=''
trap 'kill -9 $program 2>/dev/null || true; rm -rf "$prefix"' EXIT
dpkg-deb -x "$deb" "$prefix"
mkdir -p "$prefix/stub"
cat >"$prefix/stub/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >"$prefix/opened"
STUB
chmod +x "$prefix/stub/xdg-open"
catalogue=$XDG_DATA_HOME/kelvane/padr.mdb
starter=$prefix/usr/share/kelvane/padr.sql
message='报纸目录已更新：新增 2 家，更新 1 家'

# Becomes the program, its standard error kept: run it as `start &`.
start() { cd "$HOME" && PATH="$prefix/stub:$PATH" exec "$prefix/usr/bin/kelvane" 2>>"$prefix/err"; }
one_unmanaged_window() { [ "$(unmanaged_windows | wc -l)" = 1 ]; }
no_unmanaged_window() { [ -z "$(unmanaged_windows)" ]; }
stopped() { ps -o stat= -p "$1" | grep -q '^T'; }
rows() { sqlite3 "$catalogue" "select pcity, pname, purl from pinternal order by rowid"; }
sql() { sqlite3 "$catalogue" "$1"; }

# The first start makes the catalogue and its base from the shipped starter.
start &
program=$!
wait_for_window "KelvaneV1.0" >/dev/null
[ "$(sql "select distinct pcity from pinternal" | sed -n '1p;$p' | xargs)" = "北京 澳门" ] ||
  fail "the domestic provinces run $(sql "select distinct pcity from pinternal" | xargs)"
kill "$program"
wait "$program" 2>/dev/null || true
[ -f "${catalogue%.mdb}.base" ] || fail "no base beside the catalogue"

# The user's own work: a paper added, one changed, one deleted.
sql "insert into pinternal values ('上海', '我的报', 'http://mine.example/');
     update pinternal set purl = 'http://my.gmw.example/' where pname = '光明日报';
     delete from pinternal where pname = '经济日报'"

# The newer starter: two papers added, 人民日报 and the user's 光明日报 moved,
# the deleted 经济日报 moved, 新京报 dropped.
sed -i -e "s|'http://www.people.com.cn/'|'https://www.people.com.cn/'|" \
  -e "s|'https://www.gmw.cn/'|'https://gmw.cn/'|" -e "s|'http://www.ce.cn/'|'https://www.ce.cn/'|" \
  -e "/'新京报'/d" \
  -e "s|  ('北京', '北京商报', 'https://www.bbtnews.com.cn/');|&\nINSERT INTO pinternal VALUES ('北京', '北京新报', 'http://xinbao.example/'), ('雄安', '雄安日报', 'http://xiongan.example/');|" \
  "$starter"
before=$(rows)

# Killed inside the merge's transaction: nothing of it stays.
KELVANE_TEST_STOP_MERGE_AT=rows start &
program=$!
wait_until 20 stopped "$program" || fail "the merge did not reach its stop"
kill -9 "$program"
wait "$program" 2>/dev/null || true
[ "$(sql "pragma integrity_check")" = ok ] || fail "the killed merge damaged the catalogue"
[ "$(rows)" = "$before" ] || fail "the killed merge left rows behind: $(diff <(echo "$before") <(rows))"

# The next start merges, before the menus are built, and says so once.
start &
program=$!
window=$(wait_for_window "KelvaneV1.0")
expected=$(cat <<ROWS
北京|人民日报|https://www.people.com.cn/
北京|光明日报|http://my.gmw.example/
上海|我的报|http://mine.example/
北京|北京新报|http://xinbao.example/
雄安|雄安日报|http://xiongan.example/
ROWS
)
merged=$(sql "select pcity, pname, purl from pinternal where pname in
  ('人民日报', '光明日报', '经济日报', '新京报', '我的报', '北京新报', '雄安日报') order by rowid")
[ "$merged" = "$(printf '%s\n' "$expected" | sed '2a 北京|新京报|https://www.bjnews.com.cn/')" ] ||
  fail "merged rows: $merged"
[ "$(sql "select count(*) from pinternal") " = "$(($(echo "$before" | wc -l) + 2)) " ] ||
  fail "papers doubled or lost: $(sql "select count(*) from pinternal")"
[ "$(grep -c "$message" "$prefix/err")" = 1 ] || fail "standard error: $(cat "$prefix/err")"

# The menus show the merged catalogue: 北京's first paper has its new address.
# The tray message: a balloon by the tray icon, the program's one window
# outside the window manager's hands; a click closes it.
wait_until 10 one_unmanaged_window || fail "no tray message beside the tray icon"
read -r balloon _ <<<"$(unmanaged_windows)"
click_middle "$balloon" 1
wait_until 5 no_unmanaged_window || fail "the tray message stays after a click"
choose_first_paper "$window"
wait_until 5 test -s "$prefix/opened" || fail "choosing the first paper opened nothing"
[ "$(cat "$prefix/opened")" = https://www.people.com.cn/ ] ||
  fail "the first paper opened '$(cat "$prefix/opened")'"
kill "$program"
wait "$program" 2>/dev/null || true

# Merged once: a later start changes and says nothing.
after=$(rows)
start &
program=$!
wait_for_window "KelvaneV1.0" >/dev/null
[ "$(rows)" = "$after" ] || fail "a second start changed the catalogue"
[ "$(grep -c "$message" "$prefix/err")" = 1 ] || fail "told again: $(cat "$prefix/err")"
echo "PASS: killed merge undone, merged once ($message), user's changes kept"
