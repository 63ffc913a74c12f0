#!/usr/bin/env bash
# Mutation testing: one mutant per sampled site (comparisons flipped, + and -
# swapped, integer constants off by one, conditions negated, statements
# deleted) of the sources and headers of the rules, moves, record, PGN and
# engine libraries, each built and run against the plain tests. With --window, the
# document's save and read-back (documents/CVexilDoc.cpp) and the document steps
# (documents/DocumentManager.cpp) are drawn from too, and a mutant the plain tests
# miss is run against the window tests as well: slower, as it builds Qt. A
# mutant still alive is tried last in the sanitizer build the test command
# also runs, which sees reads and writes past an array.
# Works on a copy of the tree, so the checkout is never changed, even when
# interrupted.
#   bench/mutation.sh [--window | --by-test | --draw] SEED COUNT [WORK_DIR]
# With --by-test, every plain test program runs whole on each mutant, and the
# report ends with each test's kills and the kills no other test makes: a test
# that makes none over a large draw is a candidate for folding into another.
# With --draw, the mutants the run would build are listed, one a line, and
# nothing is built. A survivor listed in bench/equivalent-mutants.tsv, read and
# judged equivalent, is counted apart from the rate.
# WORK_DIR keeps the build between runs; by default a temporary folder is used.
set -euo pipefail
usage="usage: bench/mutation.sh [--window | --by-test | --draw] SEED COUNT [WORK_DIR]"
window=0
by_test=0
draw=0
case ${1:-} in
  --window) window=1 && shift ;;
  --by-test) by_test=1 && shift ;;
  --draw) draw=1 && shift ;;
esac
seed=${1:?$usage}
count=${2:?$usage}
src=$(cd "$(dirname "$0")/.." && pwd)
shared=$(cd "$src/.." && pwd)/shared

# What the run needs besides the build's own packages.
source "$src/tools/ensure-packages.sh"
RAVELIN_PACKAGES+=(ccache python3)
ensure_packages
if [[ $# -ge 3 ]]; then
  work=$(mkdir -p "$3" && cd "$3" && pwd)
  cleanup() { rm -rf "$work/src"; }
else
  work=$(mktemp -d /tmp/ravelin-mutation.XXXXXX)
  cleanup() { rm -rf "$work"; }
fi
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Fresh times on every file, so nothing built from an earlier mutant is kept.
rm -rf "$work/src" && mkdir -p "$work/src"
tar -C "$src" --exclude='./build*' --exclude=./.git --exclude=./.peers --exclude=./bench/.peers \
  -cf - . | tar -C "$work/src" -xmf -

export CCACHE_BASEDIR=$work CCACHE_NOHASHDIR=1
generator=()
if command -v ninja >/dev/null && [[ ! -f $work/build/CMakeCache.txt ]]; then generator=(-G Ninja); fi
with_qt=OFF
[[ $window == 1 ]] && with_qt=ON
# Release, but with assertions: the game record's invariant checks then run
# under every test, and a mutant of them is as live as any other code.
nice -n 19 cmake -S "$work/src" -B "$work/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O2 \
  -DRAVELIN_WITH_QT=$with_qt -DRAVELIN_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DRAVELIN_SHARED_DIR="$shared" >"$work/configure.log"
# The test command runs the plain tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer: a mutant the plain run misses is tried there too.
generator=()
if command -v ninja >/dev/null && [[ ! -f $work/build-asan/CMakeCache.txt ]]; then generator=(-G Ninja); fi
nice -n 19 cmake -S "$work/src" -B "$work/build-asan" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DRAVELIN_SANITIZE=ON -DRAVELIN_WITH_QT=OFF -DRAVELIN_BENCH=OFF \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DRAVELIN_SHARED_DIR="$shared" >>"$work/configure.log"

# In the background, so that a signal reaches it and the copy is removed after.
nice -n 19 python3 - "$seed" "$count" "$work" "$window" "$by_test" "$draw" \
  "$src/bench/equivalent-mutants.tsv" <<'PY' &
import collections, hashlib, json, os, re, signal, subprocess, sys, time

seed, count, work, window = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4] == "1"
by_test, draw_only = sys.argv[5] == "1", sys.argv[6] == "1"
src, build = os.path.join(work, "src"), os.path.join(work, "build")
sanitized = os.path.join(work, "build-asan")
programs = ["rules_tests", "moves_tests", "pgn_tests", "record_tests", "engine_tests"]
suite = [[os.path.join(build, "tests", p), "--gtest_brief=1", "--gtest_fail_fast"] for p in programs]
# A filter that matches no test would pass every mutant: ctest is told to fail then.
suite.append(["ctest", "--test-dir", build, "--no-tests=error", "-R", "^ravelin_pgn_tool_fixtures$"])
sanitized_suite = [[os.path.join(sanitized, "tests", p), "--gtest_brief=1", "--gtest_fail_fast"]
                   for p in programs]
os.environ.update(ASAN_OPTIONS="detect_leaks=1:abort_on_error=1", UBSAN_OPTIONS="halt_on_error=1")
window_programs = ["GameWindowTest", "RecordTest", "SetupClipboardTest", "ShellTest", "BadInputTest"]
window_suite = [[os.path.join(build, "tests", p)] for p in window_programs] if window else []
PLAIN_FOLDERS = ("rules", "moves", "record", "pgn", "engine")
WINDOW_FILES = ("documents/CVexilDoc.cpp", "documents/DocumentManager.cpp")
os.environ["QT_QPA_PLATFORM"] = "offscreen"
began = time.time()
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))


def run(command, limit=None):
    """"pass", "fail" or "timeout": how the command ended within limit
    seconds; its whole group ends after it."""
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return "pass" if process.wait(limit) == 0 else "fail"
    except subprocess.TimeoutExpired:
        return "timeout"
    finally:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


def builds(directory=build):
    jobs = os.environ.get("JOBS", "2")
    targets = [*programs, "ravelin-pgn", *(window_programs if window else [])]
    if directory == sanitized:
        targets = programs
    return run(["cmake", "--build", directory, "-j", jobs, "--target", *targets]) == "pass"


def failing_tests(limits):
    """The names of the plain tests the mutant fails, each program run whole;
    a program that crashes or times out counts as one failing test of its own."""
    failed = set()
    report = os.path.join(work, "by-test.json")
    for command, limit in zip(suite, limits):
        if command[0] == "ctest":
            if run(command, limit) != "pass":
                failed.add("ravelin-pgn tool fixtures")
            continue
        if os.path.exists(report):
            os.remove(report)
        ended = run([command[0], f"--gtest_output=json:{report}"], limit)
        try:
            with open(report) as f:
                failed |= {f"{suite_['name']}.{test['name']}" for suite_ in json.load(f)["testsuites"]
                           for test in suite_["testsuite"] if test.get("failures")}
        except (OSError, ValueError, KeyError):
            failed.add(os.path.basename(command[0]) + " (crashed)")
        if ended != "pass" and not failed:
            failed.add(os.path.basename(command[0]) + f" ({ended})")
    return failed


kills_by_test = collections.defaultdict(list)


def verdict(commands, limits):
    """"survived", or how the first command that noticed the mutant ended."""
    for command, limit in zip(commands, limits):
        ended = run(command, limit)
        if ended != "pass":
            return "killed" if ended == "fail" else "timeout"
    return "survived"


# Comments, strings, characters and preprocessor lines blanked, offsets kept.
NOT_CODE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'|^[ \t]*#[^\n]*',
                      re.S | re.M)
SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
        "+": "-", "-": "+", "+=": "-=", "-=": "+="}
# Spaces around the operator keep template brackets, << and unary minus out.
OPERATOR = re.compile(r" (<=|>=|==|!=|<|>|\+=|-=|\+|-) ")
INTEGER = re.compile(r"(?<![\w.])\d+(?=[uUlL]*(?![\w.]))")
CONDITION = re.compile(r"\b(?:if|while) \(")
DECLARATION = re.compile(r"[A-Za-z_][\w:<>,*& ]*[\s*&]+[A-Za-z_]\w*\s*[=({;[]")
# An assertion deleted leaves a correct program as it was: only its check goes.
# So does a call of the game record's invariant checks, which are assertions.
NOT_DELETED = re.compile(
    r"(?:return|case|default|using|namespace|typedef|template|else|assert)\b|[}#]"
    r"|(?:\w+\.)?CheckSound\(\);")


def short(text):
    text = " ".join(text.split())
    return text if len(text) <= 60 else text[:57] + "..."


def sites(text):
    """(start, end, replacement, description) for every mutation of one file."""
    code = NOT_CODE.sub(lambda m: re.sub(r"[^\n]", " ", m.group()), text)
    for m in OPERATOR.finditer(code):
        yield m.start(1), m.end(1), SWAP[m[1]], f"`{m[1]}` to `{SWAP[m[1]]}`"
    for m in INTEGER.finditer(code):
        yield m.start(), m.end(), str(int(m[0]) + 1), f"{m[0]} to {int(m[0]) + 1}"
    for m in CONDITION.finditer(code):
        depth, end = 1, m.end()
        while depth:
            depth += {"(": 1, ")": -1}.get(code[end], 0)
            end += 1
        condition = text[m.end():end - 1]
        yield m.end(), end - 1, f"!({condition})", f"`{short(condition)}` negated"
    # Whole one-line statements after a finished one, not declarations.
    previous, offset = ";", 0
    for line in code.splitlines(keepends=True):
        s = line.strip()
        if (s.endswith(";") and (previous[-1] in ";{}:)" or previous == "else")
                and not NOT_DELETED.match(s) and not DECLARATION.match(s)
                and all(s.count(a) == s.count(b) for a, b in ("()", "{}", "[]"))):
            start = offset + len(line) - len(line.lstrip())
            yield start, start + len(s), "{}", f"deleted `{short(text[start:start + len(s)])}`"
        previous = s or previous
        offset += len(line)


with open(os.path.join(build, "compile_commands.json")) as f:
    files = {os.path.relpath(e["file"], src) for e in json.load(f)}
# The headers of the plain folders hold code too (inline functions, limits);
# those that no plain source or test includes are not built, so not drawn.
included = set()
for folder in (*PLAIN_FOLDERS, "tests"):
    for root, _, names in os.walk(os.path.join(src, folder)):
        for name in names:
            if name.endswith((".cpp", ".h")) and "/tests/ui" not in root:
                with open(os.path.join(root, name), errors="replace") as f:
                    included |= set(re.findall(r'^#include "([^"]+)"', f.read(), re.M))
for folder in PLAIN_FOLDERS:
    files |= {f"{folder}/{name}" for name in os.listdir(os.path.join(src, folder))
              if name.endswith(".h") and name in included}
files = sorted(p for p in files
               if p.split("/")[0] in PLAIN_FOLDERS or (window and p in WINDOW_FILES))
only = re.compile(os.environ.get("ONLY", ""))
files = [p for p in files if only.search(p)]
if not files:
    sys.exit(f"ONLY={only.pattern} matches no file that is mutated")


def ranked(path, text):
    """Each site with its place in the draw, from its own line alone: an edit
    elsewhere in the sources leaves the draw of unchanged lines as it was."""
    lines, seen, offset = [], {}, 0
    for line in text.splitlines(keepends=True):
        again = seen.get(line.strip(), 0)
        seen[line.strip()] = again + 1
        indent = len(line) - len(line.lstrip())
        lines.append((offset + indent, line.strip(), again))
        offset += len(line)
    for site in sites(text):
        first, line, again = next(l for l in reversed(lines) if l[0] <= site[0])
        key = f"{seed}|{path}|{line}|{again}|{site[0] - first}|{site[2]}"
        # What names the mutant in the list of reviewed equivalents.
        named = (path, line, again + 1, site[0] - first + 1, site[3])
        yield (hashlib.sha1(key.encode()).hexdigest(), path, *site, named)


every = []
for path in files:
    with open(os.path.join(src, path)) as f:
        every += ranked(path, f.read())
sample = sorted(site[1:] for site in sorted(every)[:count])


def listed(named):
    """A row of the list of reviewed equivalents: file, line, which line of
    that text in the file, column, change."""
    return "\t".join(str(field) for field in named)


# Mutants read and judged equivalent, each with the reason: kept out of the
# rate as long as no test kills them.
equivalent = set()
if os.path.exists(sys.argv[7]):
    with open(sys.argv[7]) as f:
        for row in f:
            if row.strip() and not row.startswith("#"):
                equivalent.add(row.rstrip("\n").rsplit("\t", 1)[0])
if draw_only:
    for path, start, end, replacement, what, named in sample:
        print(listed(named))
    sys.exit(0)

for directory in (build, sanitized):
    if not builds(directory):
        sys.exit(f"the unchanged copy does not build; see cmake --build {directory}")
def limits_of(commands):
    limits = []
    for command in commands:
        start = time.time()
        if run(command) != "pass":
            sys.exit(f"the unchanged copy fails {' '.join(command)}")
        limits.append(10 + 5 * (time.time() - start))
    return limits


limits, window_limits = limits_of(suite), limits_of(window_suite)
sanitized_limits = limits_of(sanitized_suite)


def objects():
    """The digest of every object file the build holds, by path."""
    digests = {}
    for root, _, names in os.walk(build):
        for name in names:
            if name.endswith(".o"):
                with open(os.path.join(root, name), "rb") as f:
                    digests[os.path.join(root, name)] = hashlib.sha1(f.read()).digest()
    return digests


# A mutant the compiler turns into the very same machine code cannot be told
# apart by any test of this build: it is counted apart, as equivalent.
unchanged = objects()

results, misjudged = [], []
for n, (path, start, end, replacement, what, named) in enumerate(sample, 1):
    with open(os.path.join(src, path)) as f:
        original = f.read()
    try:
        with open(os.path.join(src, path), "w") as f:
            f.write(original[:start] + replacement + original[end:])
        if not builds():
            outcome = "no build"
        elif objects() == unchanged:
            outcome = "same"
        elif by_test:
            failed = failing_tests(limits)
            for name in failed:
                kills_by_test[name].append((path, what, len(failed) == 1))
            outcome = "killed" if failed else "survived"
        else:
            outcome = verdict(suite, limits)
        if outcome == "survived" and not by_test:
            if window:
                outcome = verdict(window_suite, window_limits)
            if outcome == "survived" and builds(sanitized):
                if verdict(sanitized_suite, sanitized_limits) != "survived":
                    outcome = "sanitizer"
    finally:
        with open(os.path.join(src, path), "w") as f:
            f.write(original)
    if listed(named) in equivalent:
        if outcome == "survived":
            outcome = "equivalent"
        elif outcome in ("killed", "timeout", "sanitizer"):
            misjudged.append(listed(named))
    line = original.count("\n", 0, start) + 1
    line = f"{line}:{start - original.rfind(chr(10), 0, start)}"
    results.append((path, line, what, outcome, named))
    print(f"[{n}/{len(sample)}] {outcome:8} {path}:{line} {what}", flush=True)


def rate(rows):
    killed = sum(r[3] in ("killed", "timeout", "sanitizer") for r in rows)
    timeouts = sum(r[3] == "timeout" for r in rows)
    sanitizer = sum(r[3] == "sanitizer" for r in rows)
    same = sum(r[3] == "same" for r in rows)
    reviewed = sum(r[3] == "equivalent" for r in rows)
    built = sum(r[3] not in ("no build", "same", "equivalent") for r in rows)
    failed = len(rows) - built - same - reviewed
    figure = f"{100 * killed / built:.1f} % ({killed} of {built})" if built else "no mutant built"
    return (figure + (f", {timeouts} of them by a time-out" if timeouts else "") +
            (f", {sanitizer} of them by the sanitizer build" if sanitizer else "") +
            (f", {same} compiled to the same code" if same else "") +
            (f", {reviewed} reviewed as equivalent" if reviewed else "") +
            (f", {failed} did not build" if failed else ""))


print(f"\n{len(results)} mutants of {len(every)} sites, seed {seed}, "
      f"{(time.time() - began) / 60:.1f} minutes")
print(f"kill rate: {rate(results)}")
if any(r[3] == "equivalent" for r in results):
    # The same draw as if no mutant had been read: the reviewed ones counted as survivors.
    print("  counting the reviewed equivalents as survivors: " +
          rate([r[:3] + ("survived" if r[3] == "equivalent" else r[3],) for r in results]))
for path in files:
    rows = [r for r in results if r[0] == path]
    if rows:
        print(f"  {path:30} {rate(rows)}")
for heading, kind in (("survivors:", "survived"), ("compiled to the same code:", "same"),
                      ("reviewed as equivalent (bench/equivalent-mutants.tsv):", "equivalent")):
    if any(r[3] == kind for r in results):
        print(heading)
    for path, line, what, outcome, _ in results:
        if outcome == kind:
            print(f"  {path}:{line}  {what}")
if misjudged:
    print("listed as equivalent, yet killed: take these off the list")
    print("".join(f"  {row}\n" for row in misjudged), end="")
if any(r[3] == "survived" for r in results):
    # Ready to paste into the list, with the reason after a tab, once read and judged.
    print("survivors as rows of bench/equivalent-mutants.tsv:")
    print("".join(f"{listed(r[4])}\n" for r in results if r[3] == "survived"), end="")
if by_test:
    # Every test of the plain programs, with none for those that killed nothing.
    names = set(kills_by_test)
    for command in suite:
        if command[0] != "ctest":
            listing = subprocess.run([command[0], "--gtest_list_tests"], capture_output=True,
                                     text=True).stdout
            group = ""
            for entry in listing.splitlines():
                if not entry.startswith(" "):
                    group = entry.strip()
                else:
                    names.add(group + entry.split()[0])
    print("kills by test (all, only this test's):")
    for name in sorted(names, key=lambda n: (sum(k[2] for k in kills_by_test[n]),
                                            len(kills_by_test[n]), n)):
        kills = kills_by_test[name]
        print(f"  {len(kills):4} {sum(k[2] for k in kills):4}  {name}")
PY
python=$!
trap 'kill $python; wait $python; exit 143' TERM
trap 'kill $python; wait $python; exit 130' INT
wait $python
