// Move trees (main line and variations) as other programs read them, against
// the tree of the original file.
//   node bench/variations-peers.mjs --select FILE...   the files whose movetext
//       holds a variation: a "(" outside comments and tag lines
//   node bench/variations-peers.mjs WORKDIR
// WORKDIR holds, for each game N listed in WORKDIR/games.tsv (N<TAB>name):
// N.orig.pgn (the original file), N.export.pgn (`ravelin-pgn export`),
// N.save.pgn (`ravelin-pgn write`), N.show and N.show.err (`ravelin-pgn show`
// of the original and what it said on standard error), N.export.show and
// N.save.show (Ravelin's reading of its own files) and, for each of the three
// files F, N.F.extract (pgn-extract's reading, moves in long algebraic,
// variations and comments kept). chessops reads the three files here.
//
// A tree is compared by its lines (every path from the start to the end of a
// variation, as from-to squares), its main line, the comments of its nodes
// (words compared, a comment before a variation's first move apart from the
// one after the move) and the glyphs of its nodes.
import { readFileSync } from 'node:fs';

const chessops = (part) => import(new URL(`./.peers/node_modules/chessops/dist/esm/${part}.js`, import.meta.url));
const { parsePgn, startingPosition } = await chessops('pgn');
const { parseSan } = await chessops('san');
const { makeSquare } = await chessops('util');

// True when the movetext of `text` opens a variation.
function hasVariation(text) {
    let inBrace = false;
    for (const line of text.split(/\r?\n/)) {
        if (!inBrace && /^\s*\[\s*[A-Za-z0-9_]+\s+".*"\s*\]\s*$/.test(line)) continue;
        if (!inBrace && line.startsWith('%')) continue;
        for (const c of line) {
            if (inBrace) inBrace = c !== '}';
            else if (c === '{') inBrace = true;
            else if (c === ';') break;
            else if (c === '(') return true;
        }
    }
    return false;
}

if (process.argv[2] === '--select') {
    for (const file of process.argv.slice(3)) if (hasVariation(readFileSync(file, 'latin1'))) console.log(file);
    process.exit(0);
}

const work = process.argv[2];
const games = readFileSync(`${work}/games.tsv`, 'utf8').split('\n').filter(Boolean)
    .map((line) => line.split('\t'));
const read = (file) => readFileSync(`${work}/${file}`, 'utf8');

const words = (text) => text.split(/[ \t\r\n\v\f]+/).filter(Boolean).join(' ');
// Ravelin's export writes a brace inside a note as a parenthesis.
const commentText = (parts) => words(parts.join(' ')).replace(/\{/g, '(').replace(/\}/g, ')');
const signs = { '!': 1, '?': 2, '!!': 3, '??': 4, '!?': 5, '?!': 6 };

// A node: its move (from-to squares, a promotion's piece in lower case), the
// comment after it and the one before it (a variation's first move), its
// glyphs and the moves that follow, the first being the main one.
const newNode = (move) => ({ move, comment: '', before: '', nags: [], children: [] });

// Builds a tree from events in the order PGN writes them, as the readers do:
// a variation's moves hang beside the last move before it.
class TreeBuilder {
    constructor() {
        this.root = newNode('');
        this.stack = [{ parent: this.root, node: null, before: [] }];
    }
    get frame() { return this.stack[this.stack.length - 1]; }
    move(uci) {
        const frame = this.frame;
        if (frame.node) frame.parent = frame.node;
        frame.node = newNode(uci);
        frame.node.before = commentText(frame.before);
        frame.before = [];
        frame.parent.children.push(frame.node);
        return frame.node;
    }
    comment(text) {
        const frame = this.frame;
        if (frame.node) frame.node.comment = commentText([frame.node.comment, text]);
        else if (this.stack.length === 1) this.root.comment = commentText([this.root.comment, text]);
        else frame.before.push(text);
    }
    nag(number) { if (this.frame.node) this.frame.node.nags.push(number); }
    open() { this.stack.push({ parent: this.frame.parent, node: null, before: [] }); }
    close() { if (this.stack.length > 1) this.stack.pop(); }
}

// chessops: parsePgn, then every node replayed with parseSan. A move that
// cannot be played ends its line there; it is named in `unplayable`.
function chessopsTrees(text) {
    return parsePgn(text).map((game) => {
        const root = newNode('');
        root.comment = commentText(game.comments ?? []);
        const unplayable = [];
        const walk = (pos, from, to, path, mainLine) => {
            for (const child of from.children) {
                const next = pos.clone();
                const move = parseSan(next, child.data.san);
                if (!move) {
                    unplayable.push({ path, san: child.data.san, at: to, replaced: to.children[0] ?? null,
                        main: mainLine && from.children[0] === child });
                    continue;
                }
                const piece = next.board.get(move.from);
                let target = move.to;
                // chessops says castling as the king taking its own rook.
                if (piece?.role === 'king' && next.board.get(move.to)?.role === 'rook' &&
                    next.board.get(move.to)?.color === next.turn)
                    target = (move.to > move.from ? 2 : -2) + move.from;
                const promotion = { queen: 'q', rook: 'r', bishop: 'b', knight: 'n' }[move.promotion] ?? '';
                const node = newNode(makeSquare(move.from) + makeSquare(target) + promotion);
                node.comment = commentText(child.data.comments ?? []);
                node.before = commentText(child.data.startingComments ?? []);
                node.nags = [...(child.data.nags ?? [])];
                to.children.push(node);
                next.play(move);
                walk(next, child, node, [...path, node.move], mainLine && from.children[0] === child);
            }
        };
        const start = startingPosition(game.headers);
        if (start.isErr) return { root, unplayable, error: `no start position: ${start.error.message}` };
        walk(start.unwrap(), game.moves, root, [], true);
        return { root, unplayable };
    });
}

// pgn-extract's output in long algebraic (-Wlalg), one tree per game.
function extractTrees(text) {
    const trees = [];
    let builder = null;
    for (const block of text.split(/\n[ \t\r]*\n/)) {
        const lines = block.split('\n').filter((line) => line.trim());
        if (lines.length === 0) continue;
        if (lines.every((line) => /^\[\S+ ".*"\]\s*$/.test(line))) {
            builder = new TreeBuilder();
            trees.push(builder);
            continue;
        }
        if (!builder) throw new Error('pgn-extract writes moves before tags');
        for (const token of block.match(/\{[^}]*\}|;[^\n]*|[()]|[^\s(){};]+/g) ?? []) {
            let m;
            if (token.startsWith('{')) builder.comment(token.slice(1, -1));
            else if (token.startsWith(';')) builder.comment(token.slice(1));
            else if (token === '(') builder.open();
            else if (token === ')') builder.close();
            else if ((m = /^\$(\d+)$/.exec(token))) builder.nag(Number(m[1]));
            else if (/^(\d+\.*|1-0|0-1|1\/2-1\/2|\*)$/.test(token)) continue;
            else if ((m = /^([a-h][1-8][a-h][1-8])([QRBNqrbn]?)[+#]*([!?]{0,2})$/.exec(token))) {
                builder.move(m[1] + m[2].toLowerCase());
                if (m[3]) builder.nag(signs[m[3]]);
            } else throw new Error(`pgn-extract writes ${JSON.stringify(token)}`);
        }
    }
    return trees.map((builder) => ({ root: builder.root, unplayable: [] }));
}

// Ravelin's own reading: `ravelin-pgn show`.
function ravelinTree(text) {
    const unescape = (field) => field.replace(/\\(.)/g, (all, c) =>
        ({ t: '\t', n: '\n', r: '\r', '\\': '\\' }[c] ?? all));
    const builder = new TreeBuilder();
    const fens = new Map([[builder.root, '']]);
    const pieceAt = (fen, square) => {
        const rows = fen.split(' ')[0].split('/').map((row) => row.replace(/\d/g, (n) => '.'.repeat(Number(n))));
        return rows[8 - Number(square[1])]?.[square.charCodeAt(0) - 97] ?? '';
    };
    for (const line of text.split('\n')) {
        const f = line.split('\t');
        if (f[0] === 'start') fens.set(builder.root, f[1]);
        else if (f[0] === 'startnote') builder.comment(unescape(f[1]));
        else if (f[0] === 'ply') {
            const parentFen = fens.get(builder.frame.node ?? builder.frame.parent);
            const [from, to] = [f[3].slice(0, 2), f[3].slice(2, 4)];
            // The squares leave a promotion's piece out: the board after it has it.
            const promotion = /^[Pp]$/.test(pieceAt(parentFen, from)) && /[18]/.test(to[1])
                ? pieceAt(f[4], to).toLowerCase() : '';
            const node = builder.move(f[3] + promotion);
            fens.set(node, f[4]);
            const sign = /([!?]{1,2})$/.exec(unescape(f[2]).trim());
            if (sign) builder.nag(signs[sign[1]]);
        } else if (f[0] === 'nags') {
            for (const nag of f[1].split(' ')) if (/^\$\d+$/.test(nag)) builder.nag(Number(nag.slice(1)));
        } else if (f[0] === 'note') builder.comment(unescape(f[1]));
        else if (f[0] === 'varnote') builder.frame.before.push(unescape(f[1]));
        else if (f[0] === 'variation') builder.open();
        else if (f[0] === 'end') builder.close();
    }
    return { root: builder.root, unplayable: [] };
}

// A node's move within a path; a move that an earlier sibling makes too (a
// variation that repeats the main move) is told apart by its rank.
function step(parent, child) {
    const before = parent.children.slice(0, parent.children.indexOf(child));
    const rank = before.filter((other) => other.move === child.move).length;
    return rank ? `${child.move}#${rank + 1}` : child.move;
}

// The tree's facts, keyed by the path of moves that leads to each node.
function facts(tree) {
    const lines = new Set();
    const comments = new Map();
    const nags = new Map();
    let count = 0;
    const walk = (node, path) => {
        const key = path.join(' ') || '(start)';
        if (node.comment) comments.set(key, node.comment);
        if (node.before) comments.set(`${key} (before)`, node.before);
        if (node.nags.length) nags.set(key, [...node.nags].sort((a, b) => a - b).join(' '));
        if (node.children.length === 0) lines.add(path.join(' '));
        for (const child of node.children) {
            ++count;
            walk(child, [...path, step(node, child)]);
        }
    };
    walk(tree.root, []);
    const main = [];
    for (let node = tree.root; node.children.length; node = node.children[0]) main.push(node.children[0].move);
    return { lines, main, comments, nags, nodes: count };
}

const shortPath = (key) => {
    const moves = key.split(' ');
    return moves.length > 4 ? `... ${moves.slice(-4).join(' ')} (ply ${moves.length})` : key;
};
const quoted = (text, n = 40) => JSON.stringify(text.length > n ? `${text.slice(0, n)}...` : text);
// Two texts from the first character where they part.
function parting(got, want) {
    let i = 0;
    while (i < got.length && got[i] === want[i]) ++i;
    const from = Math.max(0, i - 10);
    const cut = (text) => (from ? '...' : '') + text.slice(from, i + 20) + (text.length > i + 20 ? '...' : '');
    return `${JSON.stringify(cut(got))} for ${JSON.stringify(cut(want))}`;
}

// What differs between the expected tree and the one read, '' when nothing;
// `loose` names the keys whose comments may differ (a cut variation's text).
function difference(want, got, loose = new Set(), textOf = (text) => text) {
    const w = facts(want), g = facts(got);
    const out = [];
    if (w.main.join(' ') !== g.main.join(' ')) {
        const i = w.main.findIndex((m, k) => m !== g.main[k]);
        out.push(`main line from ply ${i < 0 ? w.main.length : i + 1}: ${g.main.length} plies of ${w.main.length}, ` +
            `${g.main[i < 0 ? w.main.length : i] ?? 'end'} for ${w.main[i] ?? 'end'}`);
    }
    const missing = [...w.lines].filter((line) => !g.lines.has(line));
    const extra = [...g.lines].filter((line) => !w.lines.has(line));
    if (missing.length || extra.length)
        out.push(`lines: ${g.lines.size} of ${w.lines.size}` +
            (missing.length ? `, missing ${shortPath(missing[0])}` : '') +
            (extra.length ? `, extra ${shortPath(extra[0])}` : ''));
    const comments = [];
    for (const [key, text] of w.comments)
        if (loose.has(key.replace(/ \(before\)$/, ''))) continue;
        else if (!g.comments.has(key)) comments.push(`none at ${shortPath(key)}`);
        else if (textOf(g.comments.get(key)) !== textOf(text))
            comments.push(`at ${shortPath(key)} ${parting(textOf(g.comments.get(key)), textOf(text))}`);
    for (const key of g.comments.keys())
        if (!w.comments.has(key) && !loose.has(key.replace(/ \(before\)$/, '')))
            comments.push(`added at ${shortPath(key)}`);
    if (comments.length) out.push(`comments (${comments.length}): ${comments[0]}`);
    const nags = [];
    for (const key of new Set([...w.nags.keys(), ...g.nags.keys()]))
        if (w.nags.get(key) !== g.nags.get(key))
            nags.push(`at ${shortPath(key)} ${g.nags.get(key) ?? 'none'} for ${w.nags.get(key) ?? 'none'}`);
    if (nags.length) out.push(`glyphs (${nags.length}): ${nags[0]}`);
    return out.join('; ');
}

// The tree Ravelin should hold: a variation cut before its first move that
// cannot be played. The cut's text turns into a note where the cut is (or on
// the move the variation replaced, when nothing of it was played).
function looseKeys(tree) {
    const keys = new Set();
    const pathOf = new Map();
    const walk = (node, path) => {
        pathOf.set(node, path.join(' ') || '(start)');
        for (const child of node.children) walk(child, [...path, step(node, child)]);
    };
    walk(tree.root, []);
    for (const cut of tree.unplayable) {
        keys.add(pathOf.get(cut.at));
        if (cut.replaced) keys.add(pathOf.get(cut.replaced));
    }
    return keys;
}

const unplayableText = (cut) => `${cut.main ? 'main-line' : 'variation'} move ${cut.san} cannot be played ` +
    `after ${shortPath(cut.path.join(' ') || '(start)')}`;

// One reading of one file: the tree, or why there is none.
function one(trees, what) {
    if (trees.length !== 1) return { why: `${what}: ${trees.length} games read` };
    if (trees[0].error) return { why: `${what}: ${trees[0].error}` };
    return { tree: trees[0] };
}
const attempt = (fn) => {
    try {
        return fn();
    } catch (error) {
        return { why: `not read: ${error.message}` };
    }
};
const readings = {
    chessops: (n, file) => attempt(() => {
        const text = read(`${n}.${file}.pgn`);
        const trees = chessopsTrees(text);
        // chessops ends a game at an empty line, even within the movetext;
        // the tree is then read from the text without its empty lines.
        if (trees.length > 1) {
            const joined = one(chessopsTrees(text.split('\n').filter((line) => line.trim()).join('\n')),
                'chessops finds');
            if (joined.tree)
                return { ...joined, remark: `${trees.length} games as written, one without its empty lines` };
        }
        return one(trees, 'chessops finds');
    }),
    'pgn-extract': (n, file) => attempt(() => one(extractTrees(read(`${n}.${file}.extract`)), 'pgn-extract writes')),
};

// The save layout writes a note's brackets as blanks, so they are left out of
// the comparison of its comments.
const textOf = {
    export: (text) => text,
    save: (text) => words(text.replace(/[(){}]/g, ' ')),
};
const columns = ['game', 'lines in original', 'Ravelin reads', 'chessops export', 'chessops save',
    'pgn-extract export', 'pgn-extract save'];
const rows = [];
const tally = { ok: 0, differing: 0, unplayable: 0 };
for (const [n, name] of games) {
    const row = [name];
    let differing = false;
    const original = readings.chessops(n, 'orig');
    const originalExtract = readings['pgn-extract'](n, 'orig');
    const notices = read(`${n}.show.err`).split('\n').filter(Boolean);
    if (!original.tree) {
        rows.push([...row, `chessops: ${original.why}`, '', '', '', '', '']);
        tally.differing++;
        continue;
    }
    const loose = looseKeys(original.tree);
    const f = facts(original.tree);
    const cell = [`${f.lines.size} lines, ${f.nodes} moves, ${f.comments.size} comments`];
    if (original.remark) cell.push(`chessops: ${original.remark}`);
    cell.push(...original.tree.unplayable.map(unplayableText));
    // Each peer's readings of the export and the save are compared with its own
    // reading of the original, so that a peer's way with the original is not
    // taken for Ravelin's; pgn-extract refuses a game whose variation cannot
    // be played, and is then compared with chessops' reading, cut as Ravelin
    // cuts it.
    const extractWant = originalExtract.tree ?? original.tree;
    const peersDiffer = originalExtract.tree && difference(original.tree, originalExtract.tree, loose);
    if (!originalExtract.tree)
        cell.push(original.tree.unplayable.length ? 'pgn-extract refuses it' : originalExtract.why);
    else if (peersDiffer)
        cell.push(`pgn-extract reads it otherwise: ${peersDiffer}`);
    if (peersDiffer || (!originalExtract.tree && !original.tree.unplayable.length)) differing = true;
    row.push(cell.join('; '));
    if (original.tree.unplayable.some((cut) => !cut.main)) tally.unplayable++;

    const show = read(`${n}.show`);
    const mine = show ? attempt(() => ({ tree: ravelinTree(show) })) : { why: `refused: ${notices.join(' ')}` };
    const ravelinWhy = mine.tree ? difference(original.tree, mine.tree, loose) : mine.why;
    // A notice is expected only for a variation that cannot be played.
    const unexpected = original.tree.unplayable.length || !mine.tree ? [] : notices;
    const ravelinCell = [ravelinWhy, ...unexpected.map((text) => `says ${quoted(text, 60)}`)];
    // Its export and its save read back as the same tree.
    for (const file of mine.tree ? ['export', 'save'] : []) {
        const again = read(`${n}.${file}.show`);
        const back = again ? difference(mine.tree, ravelinTree(again), new Set(), textOf[file]) : 'refused';
        if (back) ravelinCell.push(`its ${file} read back: ${back}`);
    }
    if (ravelinCell.some(Boolean)) differing = true;
    row.push(ravelinCell.filter(Boolean).join('; ') || 'ok');

    for (const [peer, want] of [['chessops', original.tree], ['pgn-extract', extractWant]])
        for (const file of ['export', 'save']) {
            const got = show ? readings[peer](n, file) : { why: 'none written' };
            const why = got.tree
                ? [...got.tree.unplayable.map(unplayableText), difference(want, got.tree, loose, textOf[file])]
                    .filter(Boolean).join('; ')
                : got.why;
            if (why) differing = true;
            row[columns.indexOf(`${peer} ${file}`)] = [why || 'ok', got.remark].filter(Boolean).join('; ');
        }
    rows.push(row);
    tally[differing ? 'differing' : 'ok']++;
}

const escapeCell = (text) => text.replace(/\|/g, '\\|');
console.log(`| ${columns.join(' | ')} |`);
console.log(`|${columns.map(() => '---').join('|')}|`);
for (const row of rows) console.log(`| ${row.map(escapeCell).join(' | ')} |`);
console.log(`games with variations: ${games.length}; the same tree everywhere: ${tally.ok}; ` +
    `differing: ${tally.differing}; with a variation that cannot be played: ${tally.unplayable}`);
process.exit(tally.differing ? 1 : 0);
