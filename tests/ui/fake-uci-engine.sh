#!/usr/bin/env bash
# A UCI engine that misbehaves on purpose, for the analysis tests. The mode
# is the first argument:
#   ok        answers, with an illegal move inside its line (e1e3), and as
#             many lines as MultiPV asks for
#   crash     leaves with code 3 at its first search
#   crashonce as crash, once: started again, it answers as ok
#   judge     knows two positions: the start, where 1. e4 is best by 0.40,
#             and the one after 1. d4, where it thinks White gave 0.60 away
#   hang      ignores stop and quit, and the end of its input
#   flood     writes 200,000 lines at each search
#   slowready waits two seconds before each readyok
# Its process number goes to the file the second argument names, if any.
mode=$1
[ -n "${2:-}" ] && echo $$ > "$2"
[ "$mode" = hang ] && trap '' TERM
lines=1
position=
while true; do
  if ! IFS= read -r line; then
    [ "$mode" = hang ] && { sleep 600; exit 0; }
    exit 0
  fi
  case $line in
    uci) echo "garbage before the name"; echo "id name Fake $mode"; echo uciok ;;
    isready) [ "$mode" = slowready ] && sleep 2; echo readyok ;;
    "setoption name MultiPV value "*) lines=${line##* } ;;
    position*) position=$line ;;
    go*)
      case $mode in
        crash) exit 3 ;;
        crashonce) [ -e "$2.crashed" ] || { touch "$2.crashed"; exit 3; } ;;
        flood) for ((i = 0; i < 200000; i++)); do echo "info depth 1 nodes $i nps 1000"; done ;;
      esac
      best=e2e4
      if [ "$mode" = judge ]; then
        case $position in
          *"RNBQKBNR w KQkq - 0 1") echo "info depth 9 score cp 40 pv e2e4 e7e5" ;;
          *"/3P4/8/PPP1PPPP/RNBQKBNR b KQkq"*) best=d7d5; echo "info depth 9 score cp 20 pv d7d5" ;;
        esac
      else
        echo "info depth 7 score cp 31 nps 2000 pv e2e4 e7e5 e1e3 g8f6"
        [ "$lines" -ge 2 ] && echo "info depth 7 multipv 2 score cp 12 pv d2d4 d7d5"
        [ "$lines" -ge 3 ] && echo "info depth 7 multipv 3 score cp -5 pv g1f3 g8f6"
      fi
      [[ $line == *movetime* ]] && echo "bestmove $best" ;;
    stop) [ "$mode" != hang ] && echo "bestmove e2e4" ;;
    quit) [ "$mode" != hang ] && exit 0 ;;
  esac
done
