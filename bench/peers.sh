# Sourced by the comparison scripts: finds the peer programs, installing them
# when missing. pgn-extract comes from Debian; chess.js from npm into
# bench/.peers/ (ignored by git), at a fixed version so figures compare;
# chessops likewise (an ES module package; its CommonJS build is used).
CHESSJS_VERSION=1.4.0
CHESSOPS_VERSION=0.15.1

# Sets $tool to ravelin-pgn in build folder $1 and $shared to the folder of
# the real games; stops when either is missing.
require_tool_and_games() {
  tool=$1/tools/ravelin-pgn
  shared=${RAVELIN_SHARED_DIR:-../shared}
  [ -x "$tool" ] || { echo "missing $tool: build it first" >&2; exit 1; }
  [ -d "$shared/pgn/good" ] || { echo "no real games in $shared/pgn/good" >&2; exit 1; }
}

# Sets $extract to the pgn-extract program.
ensure_pgn_extract() {
  extract=$(command -v pgn-extract || true)
  [ -n "$extract" ] || [ ! -x /usr/games/pgn-extract ] || extract=/usr/games/pgn-extract
  if [ -z "$extract" ]; then
    echo "Installing pgn-extract" >&2
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y pgn-extract >&2
    extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
  fi
}

# Installs npm package $1 at version $2 into bench/.peers/ unless it is there.
ensure_npm_package() {
  local name=$1 version=$2 peers=bench/.peers
  command -v node >/dev/null || { echo "node is missing (Node 18 or later)" >&2; exit 1; }
  if [ "$(node -p "try { require('./$peers/node_modules/$name/package.json').version } catch (e) { '' }")" != "$version" ]; then
    echo "Installing $name $version into $peers" >&2
    mkdir -p "$peers"
    npm install --prefix "$peers" --no-audit --no-fund --silent "$name@$version" >&2
  fi
}

ensure_chessjs() { ensure_npm_package chess.js "$CHESSJS_VERSION"; }
ensure_chessops() { ensure_npm_package chessops "$CHESSOPS_VERSION"; }

# Median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1
    printf "%.6g\n", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The machine the figures come from.
describe_machine() {
  echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
}
