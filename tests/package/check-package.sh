#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what a user's
# system would get: the files, the dependencies computed from the binaries
# (stockfish only suggested), the desktop entry and the AppStream file by
# Debian's own validators, and both manual pages as man shows them.
#   tests/package/check-package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL [package]: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack did not build the package"; }
debs=("$work"/out/ravelin_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no ravelin_VERSION_ARCH.deb"
deb=${debs[0]}

# Every file the package puts, and nothing else.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
cat >"$work/expected" <<'LIST'
./usr/bin/ravelin
./usr/bin/ravelin-pgn
./usr/share/applications/ravelin.desktop
./usr/share/doc/ravelin/copyright
./usr/share/doc/ravelin/openings-COPYING.txt
./usr/share/icons/hicolor/scalable/apps/ravelin.svg
./usr/share/icons/hicolor/scalable/mimetypes/application-x-chess-pgn.svg
./usr/share/man/man1/ravelin-pgn.1.gz
./usr/share/man/man1/ravelin.1.gz
./usr/share/metainfo/io.github.ravelin.Ravelin.metainfo.xml
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list above"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6svg6 libqt6printsupport6 libc6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[[ $depends != *stockfish* ]] || fail "stockfish is a dependency: $depends"
[ "$(dpkg-deb -f "$deb" Suggests)" = stockfish ] || fail "stockfish is not suggested"

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/ravelin.desktop" ||
  fail "desktop-file-validate refused the desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.ravelin.Ravelin.metainfo.xml" ||
  fail "appstreamcli refused the metainfo file"

# The pages as man shows them: no formatting warning, every command of the
# tool and its exit statuses.
for page in ravelin ravelin-pgn; do
  MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/$page.1.gz" \
    >"$work/$page.txt" 2>"$work/$page.warnings" || fail "man could not show $page(1)"
  [ ! -s "$work/$page.warnings" ] || { cat "$work/$page.warnings"; fail "man warned on $page(1)"; }
done
for word in show write check list export moves --game --help --version "EXIT STATUS"; do
  grep -q -- "$word" "$work/ravelin-pgn.txt" || fail "ravelin-pgn(1) does not mention $word"
done
[ "$("$work/root/usr/bin/ravelin-pgn" --version)" = "ravelin-pgn $(dpkg-deb -f "$deb" Version)" ] ||
  fail "the packaged tool's version is not the package's"
echo "ok   [package] $(basename "$deb"): $(wc -l <"$work/files") files, validators and manual pages"
