#!/usr/bin/env bash
# A UCI engine that misbehaves on purpose, for the analysis tests. The mode
# is the first argument:
#   ok        answers, with an illegal move inside its line (e1e3), and as
#             many lines as MultiPV asks for
#   crash     leaves with code 3 at its first search
#   crashonce as crash, once: started again, it answers as ok
#   hang      ignores stop and quit, and the end of its input
#   flood     writes 200,000 lines at each search
#   slowready waits two seconds before each readyok
# Its process number goes to the file the second argument names, if any.
mode=$1
[ -n "${2:-}" ] && echo $$ > "$2"
[ "$mode" = hang ] && trap '' TERM
lines=1
while true; do
  if ! IFS= read -r line; then
    [ "$mode" = hang ] && { sleep 600; exit 0; }
    exit 0
  fi
  case $line in
    uci) echo "garbage before the name"; echo "id name Fake $mode"; echo uciok ;;
    isready) [ "$mode" = slowready ] && sleep 2; echo readyok ;;
    "setoption name MultiPV value "*) lines=${line##* } ;;
    go*)
      case $mode in
        crash) exit 3 ;;
        crashonce) [ -e "$2.crashed" ] || { touch "$2.crashed"; exit 3; } ;;
        flood) for ((i = 0; i < 200000; i++)); do echo "info depth 1 nodes $i nps 1000"; done ;;
      esac
      echo "info depth 7 score cp 31 nps 2000 pv e2e4 e7e5 e1e3 g8f6"
      [ "$lines" -ge 2 ] && echo "info depth 7 multipv 2 score cp 12 pv d2d4 d7d5"
      [ "$lines" -ge 3 ] && echo "info depth 7 multipv 3 score cp -5 pv g1f3 g8f6"
      [[ $line == *movetime* ]] && echo "bestmove e2e4" ;;
    stop) [ "$mode" != hang ] && echo "bestmove e2e4" ;;
    quit) [ "$mode" != hang ] && exit 0 ;;
  esac
done
