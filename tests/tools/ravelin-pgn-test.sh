#!/usr/bin/env bash
# Runs the built ravelin-pgn as users call it and compares its output byte for
# byte with what was worked out by hand.
#   ravelin-pgn-test.sh TOOL SHARED_DIR TEMP_DIR fixtures|shared
# "fixtures" needs nothing but the tool; "shared" checks the real games of
# SHARED_DIR/pgn and exits 77 (skipped) when they are absent.
set -u
tool=$1
shared=$2
work=$3
part=$4
mkdir -p "$work"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_output NAME EXPECTED_FILE ACTUAL_FILE
expect_output() {
  if ! cmp -s "$2" "$3"; then
    fail "$1 differs from what was expected:"
    diff <(cat -A "$2") <(cat -A "$3") >&2
  fi
}

fixtures() {
  # A short game of our own with a start note, a date line, a note over two
  # lines with a semicolon in it, a glyph, mate and a flipped board.
  printf '%s\n' \
    '[Event "Club night"]' '[Site "Leeds"]' '[Date "2024.03.01"]' '[Round "2"]' \
    '[White "Ames"]' '[Black "Brook"]' '[Result "1-0"]' '' \
    '{A quick one}' '1. e4' '%D 03/01/24' 'e5 2. Qh5 Nc6 3. Bc4 {threat on f7;' \
    'see the queen} Nf6?? 4. Qxf7#' '' '%F' '1-0' >"$work/club.pgn"

  local start='rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1'
  printf '%s\n' \
    $'tag\tEvent\tClub night' $'tag\tSite\tLeeds' $'tag\tDate\t2024.03.01' $'tag\tRound\t2' \
    $'tag\tWhite\tAmes' $'tag\tBlack\tBrook' $'tag\tResult\t1-0' \
    $'start\t'"$start" \
    $'startnote\tA quick one' \
    $'ply\t0\t1. e4\te2e4\trnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\tP\t 03/01/24' \
    $'ply\t1\t1. ...\\te5\te7e5\trnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2\tP\t' \
    $'ply\t2\t2. Qh5\td1h5\trnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 1 2\tP\t' \
    $'ply\t3\t2. ...\\tNc6\tb8c6\tr1bqkbnr/pppp1ppp/2n5/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR w KQkq - 2 3\tP\t' \
    $'ply\t4\t3. Bc4\tf1c4\tr1bqkbnr/pppp1ppp/2n5/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 3 3\tP\t' \
    $'note\tthreat on f7; see the queen' \
    $'ply\t5\t3. ...\\tNf6??\tg8f6\tr1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4\tP\t' \
    $'ply\t6\t4. Qxf7#\th5f7\tr1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4\tM\t' \
    $'final\tr1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4\tM' \
    >"$work/club.show.expected"
  "$tool" show "$work/club.pgn" >"$work/club.show" 2>"$work/club.show.err" || fail "show exit $?"
  expect_output "show" "$work/club.show.expected" "$work/club.show"
  [ -s "$work/club.show.err" ] && fail "show wrote to standard error"

  # A TAB inside a field is shown as \t, so every line keeps its fields.
  printf '1. e4\n%%D\t03/01/24\n*\n' >"$work/tab.pgn"
  printf '%s\n' $'ply\t0\t1. e4\te2e4\trnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\tP\t\\t03/01/24' \
    >"$work/tab.expected"
  "$tool" show "$work/tab.pgn" | grep '^ply' >"$work/tab.show"
  expect_output "show of a date with a TAB" "$work/tab.expected" "$work/tab.show"

  printf '%s\r\n' \
    '[Event "Club night"]' '[Site "Leeds"]' '[Date "2024.03.01"]' '[Round "2"]' \
    '[White "Ames"]' '[Black "Brook"]' '[Result "1-0"]' \
    '{A quick one}' '1. e4 ' 'e5 ' '2. Qh5 ' 'Nc6 ' '3. Bc4 {threat on f7: see the queen}' '' \
    'Nf6?? ' '4. Qxf7# ' '' '%F' '1-0' >"$work/club.write.expected"
  "$tool" write "$work/club.pgn" >"$work/club.write" || fail "write exit $?"
  expect_output "write" "$work/club.write.expected" "$work/club.write"
  # What was written reads back and writes the same bytes.
  "$tool" write "$work/club.write" >"$work/club.write2" || fail "write of written exit $?"
  expect_output "write of the written file" "$work/club.write.expected" "$work/club.write2"

  printf '%s\n' $'ok\t'"$work/club.pgn"$'\t7' >"$work/check.expected"
  "$tool" check "$work/club.pgn" >"$work/check.out" || fail "check of a good file exit $?"
  expect_output "check" "$work/check.expected" "$work/check.out"

  # Files that cannot be read: exit 1, nothing on standard output for show
  # and write, and one line on standard error with the reason.
  printf '[Event "x"]\n\n1. e4 e5 2. Nf3\n' >"$work/no-result.pgn"
  printf '1. e4 e5 2. Ke3 *\n' >"$work/illegal.pgn"
  local command file reason status
  for command in show write check; do
    for file in no-result illegal missing; do
      case $file in
        no-result) reason='Unexpected file format.' ;;
        illegal) reason='The move 2. Ke3 cannot be played in its position.' ;;
        missing) reason='Failed to open document.' ;;
      esac
      "$tool" "$command" "$work/$file.pgn" >"$work/refused.out" 2>"$work/refused.err"
      status=$?
      [ $status -eq 1 ] || fail "$command $file: exit $status, not 1"
      if [ "$command" = check ]; then
        printf '%s\n' $'error\t'"$work/$file.pgn"$'\t'"$reason" >"$work/refused.expected"
        expect_output "check $file" "$work/refused.expected" "$work/refused.out"
      else
        printf '%s\n' "$reason" >"$work/refused.expected"
        expect_output "$command $file on standard error" "$work/refused.expected" "$work/refused.err"
        [ -s "$work/refused.out" ] && fail "$command $file wrote to standard output"
      fi
    done
  done
  # One bad file among good ones: every file reported, exit 1.
  "$tool" check "$work/club.pgn" "$work/illegal.pgn" >"$work/mixed.out"
  status=$?
  [ $status -eq 1 ] || fail "check of a good and a bad file: exit $status, not 1"
  [ "$(wc -l <"$work/mixed.out")" -eq 2 ] || fail "check of two files did not print two lines"
  # Export: the good files one game each, an empty line between; the bad one named.
  "$tool" export "$work/club.pgn" "$work/illegal.pgn" "$work/club.pgn" >"$work/two.pgn" 2>"$work/two.err"
  [ $? -eq 1 ] || fail "export with a bad file did not exit 1"
  [ "$(grep -c -e '^\[Event ' -e $'^\r$' "$work/two.pgn")" -eq 5 ] || fail "export of two games"
  grep -q 'illegal.pgn: The move 2. Ke3' "$work/two.err" || fail "export did not name the bad file"

  # A file of several games, the middle one without its result: listed and
  # checked a game a line, and any game shown by its number.
  { cat "$work/club.pgn"; printf '\n[White "Cole"]\n1. d4 d5\n\n[Event "Last"]\n1. c4 *\n'; } \
    >"$work/three.pgn"
  printf '%s\n' $'1\tClub night\tLeeds\t2024.03.01\t2\tAmes\tBrook\t1-0\t7' \
    $'2\t\t\t\t\tCole\t\t\t2' $'3\tLast\t\t\t\t\t\t\t1' >"$work/list.expected"
  "$tool" list "$work/three.pgn" >"$work/list.out" 2>/dev/null && fail "list of a broken game exit 0"
  expect_output "list" "$work/list.expected" "$work/list.out"
  printf '%s\n' $'ok\t'"$work/three.pgn [1]"$'\t7' \
    $'error\t'"$work/three.pgn [2]"$'\tThe next game\'s tags begin before this game\'s result.' \
    $'ok\t'"$work/three.pgn [3]"$'\t1' >"$work/check-three.expected"
  "$tool" check "$work/three.pgn" >"$work/check-three.out" && fail "check of a broken game exit 0"
  expect_output "check of three games" "$work/check-three.expected" "$work/check-three.out"
  "$tool" show --game 1 "$work/three.pgn" >"$work/three.show" || fail "show --game 1 exit $?"
  expect_output "show --game 1" "$work/club.show.expected" "$work/three.show"

  # The legal moves of a position, sorted by their squares.
  printf '%s\n' $'a2a3\ta3' $'a2a4\ta4' $'b1a3\tNa3' $'b1c3\tNc3' $'b2b3\tb3' $'b2b4\tb4' \
    $'c2c3\tc3' $'c2c4\tc4' $'d2d3\td3' $'d2d4\td4' $'e2e3\te3' $'e2e4\te4' $'f2f3\tf3' \
    $'f2f4\tf4' $'g1f3\tNf3' $'g1h3\tNh3' $'g2g3\tg3' $'g2g4\tg4' $'h2h3\th3' $'h2h4\th4' \
    >"$work/moves-start.expected"
  "$tool" moves "$start" >"$work/moves-start" || fail "moves exit $?"
  expect_output "moves of the start" "$work/moves-start.expected" "$work/moves-start"

  printf '%s\n' $'e1d1\tKd1' $'e1d2\tKd2' $'e1e2\tKe2' $'e1f1\tKf1' $'e1f2\tKf2' \
    $'e7e8b\te8=B' $'e7e8n\te8=N' $'e7e8q\te8=Q+' $'e7e8r\te8=R+' >"$work/moves-promotion.expected"
  "$tool" moves '7k/4P3/8/8/8/8/8/4K3 w - - 0 1' >"$work/moves-promotion" || fail "moves exit $?"
  expect_output "moves with a promotion" "$work/moves-promotion.expected" "$work/moves-promotion"

  printf '%s\n' $'d4d3\td3' $'d4e3\tdxe3 e.p.' $'e8d7\tKd7' $'e8d8\tKd8' $'e8e7\tKe7' \
    $'e8f7\tKf7' $'e8f8\tKf8' >"$work/moves-ep.expected"
  "$tool" moves '4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1' >"$work/moves-ep" || fail "moves exit $?"
  expect_output "moves with en passant" "$work/moves-ep.expected" "$work/moves-ep"

  "$tool" moves 'not a position' >/dev/null 2>&1 && fail "moves of a bad FEN exited 0"

  "$tool" --help >"$work/help" || fail "--help exit $?"
  grep -q '^Usage: ravelin-pgn' "$work/help" || fail "--help shows no usage"
  "$tool" --version >"$work/version" || fail "--version exit $?"
  grep -Eq '^ravelin-pgn [0-9]+\.[0-9]+' "$work/version" || fail "--version shows no version"
  "$tool" >/dev/null 2>&1 && fail "no command exited 0"
  "$tool" frobnicate x >/dev/null 2>&1 && fail "an unknown command exited 0"
}

# Every game of the good folder but the three longer than a record holds
# (the index lists them under other/) is read with the plies the index gives.
shared_games() {
  local index="$shared/pgn/INDEX.tsv"
  [ -f "$index" ] || { echo "shared games absent: skipped"; exit 77; }
  (cd "$shared/pgn" && find good -name '*.pgn' | sort) >"$work/good.list"
  awk -F'\t' '
    NR == FNR { plies[$1] = $2; next }
    {
      name = $0; other = name; sub(/^good\//, "other/", other)
      if (name in plies && plies[name] <= 300) print "ok\t" name "\t" plies[name]
      else if (!(other in plies && plies[other] > 300)) print "unlisted\t" name
    }' "$index" "$work/good.list" >"$work/good.expected"
  local files
  mapfile -t files < <(cut -f2 "$work/good.expected")
  [ ${#files[@]} -gt 600 ] || fail "only ${#files[@]} games found"
  (cd "$shared/pgn" && "$tool" check "${files[@]}") >"$work/good.out" ||
    fail "check of the good folder did not exit 0"
  expect_output "check of the good folder" "$work/good.expected" "$work/good.out"
  echo "$(grep -c $'^ok\t' "$work/good.out") games ok"
}

case $part in
  fixtures) fixtures ;;
  shared) shared_games ;;
  *) echo "unknown part: $part" >&2; exit 2 ;;
esac
[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all passed"
