#!/usr/bin/env bash
# Runs the built ravelin-pgn as users call it and compares its output byte for
# byte with what was worked out by hand.
# (The real games are checked through the same reader by pgn/SharedGamesTest.cpp.)
#   ravelin-pgn-test.sh TOOL TEMP_DIR
set -u
tool=$1
work=$2
mkdir -p "$work"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

lines() { printf '%s\n' "$@"; }
# What show prints first for a file without tags: the tag lines, the Result
# $1, and the standard start.
untagged() {
  lines $'tag\tEvent\t' $'tag\tSite\t' $'tag\tDate\t' $'tag\tRound\t' $'tag\tWhite\t' \
    $'tag\tBlack\t' $'tag\tResult\t'"$1" \
    $'start\trnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1'
}

# expect NAME STATUS TEXT COMMAND...: the command exits with STATUS and writes
# TEXT and a line feed (nothing when TEXT is empty) on standard output.
expect() {
  local name=$1 status=$2 text=$3
  shift 3
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "$name: exit $got, not $status"
  if [ -n "$text" ]; then printf '%s\n' "$text"; fi >"$work/expected"
  if ! cmp -s "$work/expected" "$work/out"; then
    fail "$name differs from what was expected:"
    diff <(cat -A "$work/expected") <(cat -A "$work/out") >&2
  fi
}

# A short game of our own with a start note, a date line holding a TAB, a
# note over two lines with a semicolon in it, a glyph, mate and a flipped board.
lines '[Event "Club night"]' '[Site "Leeds"]' '[Date "2024.03.01"]' '[Round "2"]' \
  '[White "Ames"]' '[Black "Brook"]' '[Result "1-0"]' '' '{A quick one}' '1. e4' \
  $'%D\t03/01/24' 'e5 2. Qh5 Nc6 3. Bc4 {threat on f7;' 'see the queen} Nf6?? 4. Qxf7#' '' \
  '%F' '1-0' >"$work/club.pgn"
show=$(lines $'tag\tEvent\tClub night' $'tag\tSite\tLeeds' $'tag\tDate\t2024.03.01' \
  $'tag\tRound\t2' $'tag\tWhite\tAmes' $'tag\tBlack\tBrook' $'tag\tResult\t1-0' \
  $'start\trnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1' $'startnote\tA quick one' \
  $'ply\t0\t1. e4\te2e4\trnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\tP\t\\t03/01/24' \
  $'ply\t1\t1. ...\\te5\te7e5\trnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2\tP\t' \
  $'ply\t2\t2. Qh5\td1h5\trnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 1 2\tP\t' \
  $'ply\t3\t2. ...\\tNc6\tb8c6\tr1bqkbnr/pppp1ppp/2n5/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR w KQkq - 2 3\tP\t' \
  $'ply\t4\t3. Bc4\tf1c4\tr1bqkbnr/pppp1ppp/2n5/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 3 3\tP\t' \
  $'note\tthreat on f7; see the queen' \
  $'ply\t5\t3. ...\\tNf6??\tg8f6\tr1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4\tP\t' \
  $'ply\t6\t4. Qxf7#\th5f7\tr1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4\tM\t' \
  $'final\tr1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4\tM' \
  $'opening\tC20\tKing\'s Pawn Game: Wayward Queen Attack')
expect "show" 0 "$show" "$tool" show "$work/club.pgn"
[ -s "$work/err" ] && fail "show wrote to standard error"
written=$(printf '%s\r\n' '[Event "Club night"]' '[Site "Leeds"]' '[Date "2024.03.01"]' \
  '[Round "2"]' '[White "Ames"]' '[Black "Brook"]' '[Result "1-0"]' '{A quick one}' '1. e4 ' \
  'e5 ' '2. Qh5 ' 'Nc6 ' '3. Bc4 {threat on f7; see the queen}' '' 'Nf6?? ' '4. Qxf7# ' '' \
  '%F' '1-0')
expect "write" 0 "$written" "$tool" write "$work/club.pgn"

expect "check" 0 $'ok\t'"$work/club.pgn"$'\t7' "$tool" check "$work/club.pgn"
# Variations: nested, with a note before a first move; a pass (no squares,
# the turn passed, no en-passant target, the clock counting it); mate at the
# end of a variation cut short by the move after it, kept as a note with a
# sentence on standard error, and mate at the end of the game.
lines '1. f4 (1. d4 {q} d5 (1... Nf6)) ({Or} 1. c4) e5 (1... -- 2. g4) (1... e6 2. g4 Qh4# 3. a3)' \
  '2. g4 Qh4# 0-1' >"$work/lines.pgn"
expect "show of variations, a null move and mates" 0 "$(untagged 0-1; lines \
  $'ply\t0\t1. f4\tf2f4\trnbqkbnr/pppppppp/8/8/5P2/8/PPPPP1PP/RNBQKBNR b KQkq f3 0 1\tP\t' \
  $'variation\t1' \
  $'ply\t0\t1. d4\td2d4\trnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 1\tP\t' \
  $'note\tq' \
  $'ply\t1\t1. ...\\td5\td7d5\trnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq d6 0 2\tP\t' \
  $'variation\t2' \
  $'ply\t1\t1. ...\\tNf6\tg8f6\trnbqkb1r/pppppppp/5n2/8/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 1 2\tP\t' \
  $'end\t2' $'end\t1' $'variation\t1' $'varnote\tOr' \
  $'ply\t0\t1. c4\tc2c4\trnbqkbnr/pppppppp/8/8/2P5/8/PP1PPPPP/RNBQKBNR b KQkq c3 0 1\tP\t' \
  $'end\t1' \
  $'ply\t1\t1. ...\\te5\te7e5\trnbqkbnr/pppp1ppp/8/4p3/5P2/8/PPPPP1PP/RNBQKBNR w KQkq e6 0 2\tP\t' \
  $'variation\t1' \
  $'ply\t1\t1. ...\\t--\t0000\trnbqkbnr/pppppppp/8/8/5P2/8/PPPPP1PP/RNBQKBNR w KQkq - 1 2\tP\t' \
  $'ply\t2\t2. g4\tg2g4\trnbqkbnr/pppppppp/8/8/5PP1/8/PPPPP2P/RNBQKBNR b KQkq g3 0 2\tP\t' \
  $'end\t1' $'variation\t1' \
  $'ply\t1\t1. ...\\te6\te7e6\trnbqkbnr/pppp1ppp/4p3/8/5P2/8/PPPPP1PP/RNBQKBNR w KQkq - 0 2\tP\t' \
  $'ply\t2\t2. g4\tg2g4\trnbqkbnr/pppp1ppp/4p3/8/5PP1/8/PPPPP2P/RNBQKBNR b KQkq g3 0 2\tP\t' \
  $'ply\t3\t2. ...\\tQh4#\td8h4\trnb1kbnr/pppp1ppp/4p3/8/5PPq/8/PPPPP2P/RNBQKBNR w KQkq - 1 3\tM\t' \
  $'note\t3. a3' $'end\t1' \
  $'ply\t2\t2. g4\tg2g4\trnbqkbnr/pppp1ppp/8/4p3/5PP1/8/PPPPP2P/RNBQKBNR b KQkq g3 0 2\tP\t' \
  $'ply\t3\t2. ...\\tQh4#\td8h4\trnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq - 1 3\tM\t' \
  $'final\trnb1kbnr/pppp1ppp/8/4p3/5PPq/8/PPPPP2P/RNBQKBNR w KQkq - 1 3\tM' \
  $'opening\tA02\tBird Opening: From\'s Gambit')" \
  "$tool" show "$work/lines.pgn"
grep -qx "A variation holds a move that cannot be played in its position, 3. a3; the variation is kept up to that move, and its text from there on as a note." "$work/err" ||
  fail "show of variations did not say what was read in part"

# Files that cannot be read: exit 1, one line on standard error with the
# reason, nothing on standard output but check's line.
printf '[Event "x"]\n\n1. e4 e5 2. Nf3\n' >"$work/no-result.pgn"
printf '1. e4 e5 2. Ke3 *\n' >"$work/illegal.pgn"
for file in no-result illegal missing; do
  case $file in
    no-result) reason="The file ends before this game's result." ;;
    illegal) reason='The move 2. Ke3 cannot be played in its position.' ;;
    missing) reason='Failed to open document.' ;;
  esac
  for command in show write; do
    expect "$command $file" 1 "" "$tool" "$command" "$work/$file.pgn"
    [ "$(cat "$work/err")" = "$reason" ] || fail "$command $file said: $(cat "$work/err")"
  done
  expect "check $file" 1 $'error\t'"$work/$file.pgn"$'\t'"$reason" "$tool" check "$work/$file.pgn"
done
expect "check of a good and a bad file" 1 "$(lines $'ok\t'"$work/club.pgn"$'\t7' \
  $'error\t'"$work/illegal.pgn"$'\tThe move 2. Ke3 cannot be played in its position.')" \
  "$tool" check "$work/club.pgn" "$work/illegal.pgn"
# Export: the good files one game each, an empty line between; the bad one named.
"$tool" export "$work/club.pgn" "$work/illegal.pgn" "$work/club.pgn" >"$work/two.pgn" 2>"$work/two.err"
[ $? -eq 1 ] || fail "export with a bad file did not exit 1"
[ "$(grep -c -e '^\[Event ' -e $'^\r$' "$work/two.pgn")" -eq 5 ] || fail "export of two games"
grep -q 'illegal.pgn: The move 2. Ke3' "$work/two.err" || fail "export did not name the bad file"
# Arrows, marks and clocks go out as written; the opening reached is named
# where the game names none, and a game that names one keeps its own.
lines '1. e4 {[%csl Rd5][%cal Gg1f3] [%clk 0:04:58]} c5 {[%clk 0:04:51] [%emt 0:00:07]}' \
  '2. Nf3 (2. c3 {[%cal Gd2d4]}) *' >"$work/marked.pgn"
expect "export with commands and the opening" 0 "$(printf '%s\r\n' '[Event "?"]' '[Site "?"]' \
  '[Date "????.??.??"]' '[Round "?"]' '[White "?"]' '[Black "?"]' '[Result "*"]' '[ECO "B27"]' \
  '[Opening "Sicilian Defense"]' '' \
  '1. e4 {[%csl Rd5][%cal Gg1f3] [%clk 0:04:58]} 1... c5 {[%clk 0:04:51]' \
  '[%emt 0:00:07]} 2. Nf3 (2. c3 {[%cal Gd2d4]}) *')" "$tool" export "$work/marked.pgn"
{ printf '[ECO "B20"]\n'; cat "$work/marked.pgn"; } >"$work/named.pgn"
"$tool" export "$work/named.pgn" | grep -c -e '^\[ECO ' -e '^\[Opening ' | grep -qx 1 ||
  fail "export added an opening to a game that names its own"
expect "show of the opening" 0 $'opening\tB27\tSicilian Defense' \
  sh -c "\"$tool\" show \"$work/marked.pgn\" | grep '^opening'"

# A file of several games, the second without its result, the last with no
# Result tag, a brace inside a comment and its result glued to the mate:
# listed and checked a game a line, and any game shown by its number.
{ cat "$work/club.pgn"; printf '\n[White "Cole"]\n1. d4 d5\n\n[Event "Last"]\n1. c4 *\n'
  printf '\n[Event "Mate"]\n1. e4 {a { b} e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7#1-0\n'; } \
  >"$work/several.pgn"
expect "list" 1 "$(lines $'1\tClub night\tLeeds\t2024.03.01\t2\tAmes\tBrook\t1-0\t7' \
  $'2\t\t\t\t\tCole\t\t\t2' $'3\tLast\t\t\t\t\t\t\t1' $'4\tMate\t\t\t\t\t\t1-0\t7')" \
  "$tool" list "$work/several.pgn"
expect "check of several games" 1 "$(lines $'ok\t'"$work/several.pgn [1]"$'\t7' \
  $'error\t'"$work/several.pgn [2]"$'\tThe next game\'s tags begin before this game\'s result.' \
  $'ok\t'"$work/several.pgn [3]"$'\t1' $'ok\t'"$work/several.pgn [4]"$'\t7')" \
  "$tool" check "$work/several.pgn"
expect "show --game 1" 0 "$show" "$tool" show --game 1 "$work/several.pgn"
# Games without tags are several games too: no tag line follows the first.
printf '1. e4 e5 *\n\n1. d4 d5 2. c4 *\n' >"$work/tagless.pgn"
expect "check of games without tags" 0 "$(lines $'ok\t'"$work/tagless.pgn [1]"$'\t2' \
  $'ok\t'"$work/tagless.pgn [2]"$'\t3')" "$tool" check "$work/tagless.pgn"

# A file larger than the 256 MB once refused, made here and removed after: 270,000
# games of a kilobyte, listed a block at a time, and its last game read alone.
comment=$(printf 'x%.0s' $(seq 1 1000))
yes "[Event \"Big\"] 1. e4 {$comment} e5 2. Nf3 *" | head -n 270000 >"$work/big.pgn"
[ "$(stat -c %s "$work/big.pgn")" -gt $((256 << 20)) ] || fail "the large file is not large"
"$tool" list "$work/big.pgn" >"$work/big.list" 2>"$work/big.err" || fail "list of a large file failed"
[ "$(wc -l <"$work/big.list")" -eq 270000 ] || fail "list of a large file: $(wc -l <"$work/big.list") games"
[ "$(tail -n 1 "$work/big.list")" = $'270000\tBig\t\t\t\t\t\t\t3' ] ||
  fail "list of a large file, its last game: $(tail -n 1 "$work/big.list")"
expect "check of the last game of a large file" 0 $'ok\t'"$work/big.pgn [270000]"$'\t3' \
  "$tool" check --game 270000 "$work/big.pgn"
rm -f "$work/big.pgn" "$work/big.list"

# The legal moves of a position, sorted by their squares; h8 is a square too.
expect "moves with promotions" 0 "$(lines $'e1d1\tKd1' $'e1d2\tKd2' $'e1e2\tKe2' \
  $'e1f1\tKf1' $'e1f2\tKf2' $'g7g8b\tg8=B' $'g7g8n\tg8=N' $'g7g8q\tg8=Q+' $'g7g8r\tg8=R+' \
  $'g7h8b\tgxh8=B' $'g7h8n\tgxh8=N' $'g7h8q\tgxh8=Q+' $'g7h8r\tgxh8=R+')" \
  "$tool" moves '4k2r/6P1/8/8/8/8/8/4K3 w - - 0 1'
expect "moves with en passant" 0 "$(lines $'d4d3\td3' $'d4e3\tdxe3 e.p.' $'h8g7\tKg7' \
  $'h8g8\tKg8' $'h8h7\tKh7')" "$tool" moves '7k/8/8/8/3pP3/8/8/4K3 b - e3 0 1'
expect "moves of no position" 1 "" "$tool" moves 'not a position'

"$tool" --help | grep -q '^Usage: ravelin-pgn' || fail "--help shows no usage"
"$tool" --version | grep -Eq '^ravelin-pgn [0-9]+\.[0-9]+' || fail "--version shows no version"
expect "no command" 2 "" "$tool"
expect "an unknown command" 2 "" "$tool" frobnicate x

[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all passed"
