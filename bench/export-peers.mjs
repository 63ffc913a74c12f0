// What other programs read in Ravelin's exports, against the game Ravelin
// holds. WORKDIR holds, for each game N listed in WORKDIR/games.tsv
// (N<TAB>name): N.show (`ravelin-pgn show` of the original file), N.pgn (its
// export) and N.extract (pgn-extract's reading of the export, moves as UCI,
// the final position as a FEN comment). chess.js and chessops read N.pgn
// here; chessops also reads WORKDIR/all.pgn, the export of every game in one
// file. Every program must give the same main-line moves (from-to squares),
// final position, seven tags, kept tags, and each note of a main-line move as
// a comment on its move. Variations are compared by variations-peers.mjs:
// pgn-extract's readings are made without them (-V), chess.js keeps only the
// main line and chessops' is followed through first children.
//   node bench/export-peers.mjs WORKDIR
import { readFileSync, existsSync } from 'node:fs';
import { loadChessJs } from './chessjs-peer.mjs';

const { Chess } = loadChessJs();
// chessops is an ES module package: imported from where peers.sh installs it.
const chessops = (part) => import(new URL(`./.peers/node_modules/chessops/dist/esm/${part}.js`, import.meta.url));
const { parsePgn, startingPosition } = await chessops('pgn');
const { parseSan } = await chessops('san');
const { makeFen } = await chessops('fen');
const { makeSquare } = await chessops('util');

const work = process.argv[2];
const games = readFileSync(`${work}/games.tsv`, 'utf8').split('\n').filter(Boolean)
    .map((line) => line.split('\t'));
const sevenTags = ['Event', 'Site', 'Date', 'Round', 'White', 'Black', 'Result'];

const unescape = (text) => text.replace(/\\(.)/g, (all, c) =>
    ({ t: '\t', n: '\n', r: '\r', '\\': '\\' }[c] ?? all));
const words = (text) => text.split(/[ \t\r\n\v\f]+/).filter(Boolean).join(' ');
// A note as the export writes it; comments are compared word for word.
const asExported = (note) => words(note).replace(/\{/g, '(').replace(/\}/g, ')');
// FEN fields but the en-passant square, which programs write by different
// rules; the half-move clock at most 150, as chessops writes it.
const position = (fen) => {
    const f = fen.split(' ');
    return [f[0], f[1], f[2], Math.min(Number(f[4]), 150), f[5]].join(' ');
};

// The game as Ravelin holds it, in the shape every peer's reading takes: its
// main line only (the plies and notes between "variation" and "end" lines
// belong to variations, compared by variations-peers.mjs). The export writes
// an unknown date in the standard's form and a kept PlyCount as the number of
// plies of the main line.
function truth(showText) {
    const game = { tags: [], moves: [], notes: {}, final: '' };
    let ply = -1;
    let depth = 0;
    for (const line of showText.split('\n')) {
        const f = line.split('\t');
        if (f[0] === 'variation') depth++;
        else if (f[0] === 'end') depth--;
        else if (depth > 0) continue;
        else if (f[0] === 'tag') game.tags.push([f[1], unescape(f[2])]);
        else if (f[0] === 'startnote') game.notes[0] = asExported(unescape(f[1]));
        else if (f[0] === 'ply') { ply = Number(f[1]); game.moves.push(f[3]); }
        else if (f[0] === 'note') game.notes[ply + 1] = asExported(unescape(f[1]));
        else if (f[0] === 'final') game.final = position(f[1]);
    }
    for (const [key, note] of Object.entries(game.notes)) if (!note) delete game.notes[key];
    game.tags = game.tags.map(([name, value], i) => {
        if (i >= 7) return [name, name === 'PlyCount' ? String(game.moves.length) : value];
        if (name === 'Result') return [name, ['1-0', '0-1', '1/2-1/2', '*'].includes(value) ? value : '*'];
        if (name === 'Date') return [name, value === '' || value === '?' ? '????.??.??' : value];
        return [name, value === '' ? '?' : value];
    });
    return game;
}

const withoutSetup = (tags) => tags.filter(([name]) => name !== 'SetUp' && name !== 'FEN');

function readChessJs(text) {
    const chess = new Chess();
    chess.loadPgn(text);
    const history = chess.history({ verbose: true });
    const plyOfFen = new Map();
    plyOfFen.set(history.length ? history[0].before : chess.fen(), 0);
    history.forEach((move, i) => plyOfFen.set(move.after, i + 1));
    const notes = {};
    for (const { fen, comment } of chess.getComments()) {
        const note = words(comment);
        if (note) notes[plyOfFen.get(fen) ?? -1] = note;
    }
    const tags = Object.entries(chess.getHeaders()).filter(([, value]) => value !== null && value !== undefined);
    return { tags: withoutSetup(tags), moves: history.map((m) => m.from + m.to), notes, final: position(chess.fen()) };
}

function fromChessops(game) {
    const pos = startingPosition(game.headers).unwrap();
    const result = { tags: withoutSetup([...game.headers.entries()]), moves: [], notes: {} };
    const startNote = words((game.comments ?? []).join(' '));
    if (startNote) result.notes[0] = startNote;
    let node = game.moves;
    while (node.children.length > 0) {
        node = node.children[0];
        const move = parseSan(pos, node.data.san);
        if (!move) throw new Error(`chessops refuses ${node.data.san}`);
        let to = move.to;
        // chessops says castling as the king taking its rook.
        if (pos.board.get(move.from)?.role === 'king' && pos.board.get(move.to)?.role === 'rook' &&
            pos.board.get(move.to)?.color === pos.turn)
            to = (move.to > move.from ? 2 : -2) + move.from;
        result.moves.push(makeSquare(move.from) + makeSquare(to));
        pos.play(move);
        const note = words((node.data.comments ?? []).join(' '));
        if (note) result.notes[result.moves.length] = note;
    }
    result.final = position(makeFen(pos.toSetup()));
    return result;
}

function readChessops(text) {
    const parsed = parsePgn(text);
    if (parsed.length !== 1) throw new Error(`chessops finds ${parsed.length} games`);
    return fromChessops(parsed[0]);
}

// pgn-extract's readings: N.extract has the tags, the moves in UCI and (-F)
// the final position in a last comment; its UCI output leaves comments out,
// so they come from N.extract-san, its ordinary output without numbers.
function readExtract(uciText, sanText) {
    const tags = [];
    const result = { moves: [], notes: {} };
    const movetext = (text, keepTags) => text.split('\n').filter((line) => {
        const tag = /^\[(\S+) "(.*)"\]\s*$/.exec(line);
        if (tag && keepTags) tags.push([tag[1], tag[2].replace(/\\(["\\])/g, '$1')]);
        return !tag;
    }).join('\n').match(/\{[^}]*\}|[^\s{}]+/g) ?? [];
    let fen = '';
    for (const token of movetext(uciText, true)) {
        if (token.startsWith('{')) fen = token.slice(1, -1).trim();
        else if (/^[a-h][1-8][a-h][1-8][qrbnQRBN]?$/.test(token)) result.moves.push(token.slice(0, 4));
    }
    if (/^"[^"]+"$/.test(fen)) fen = fen.slice(1, -1);
    else if (result.moves.length === 0) fen = new Map(tags).get('FEN') ?? 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1';
    else throw new Error('pgn-extract gives no final position');
    result.final = position(fen);
    let ply = 0;
    for (const token of movetext(sanText, false)) {
        if (token.startsWith('{')) {
            const note = words(token.slice(1, -1));
            if (note) result.notes[ply] = result.notes[ply] ? `${result.notes[ply]} ${note}` : note;
        } else if (!/^(\$\d+|1-0|0-1|1\/2-1\/2|\*)$/.test(token)) {
            ++ply;
        }
    }
    if (ply !== result.moves.length) throw new Error('pgn-extract\'s two outputs differ');
    result.tags = withoutSetup(tags);
    return result;
}

// The first difference between two readings, or ''.
function difference(want, got) {
    const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
    if (!same(want.tags.slice(0, 7), got.tags.slice(0, 7))) return `seven tags ${JSON.stringify(got.tags.slice(0, 7))}`;
    // Readers put tags beyond the seven in orders of their own.
    const sorted = (tags) => tags.slice(7).map((tag) => JSON.stringify(tag)).sort();
    if (!same(sorted(want.tags), sorted(got.tags))) return `kept tags ${JSON.stringify(got.tags.slice(7))}`;
    if (!same(want.moves, got.moves)) {
        const i = want.moves.findIndex((m, k) => m !== got.moves[k]);
        return `moves from ply ${i}: ${got.moves.length} of ${want.moves.length} read, ${got.moves[i]} for ${want.moves[i]}`;
    }
    if (want.final !== got.final) return `final position ${got.final}`;
    for (const key of new Set([...Object.keys(want.notes), ...Object.keys(got.notes)]))
        if (want.notes[key] !== got.notes[key])
            return `note at ply ${key}: ${JSON.stringify(got.notes[key])} for ${JSON.stringify(want.notes[key])}`;
    return '';
}

const peers = {
    'pgn-extract': (n) =>
        readExtract(readFileSync(`${work}/${n}.extract`, 'utf8'), readFileSync(`${work}/${n}.extract-san`, 'utf8')),
    'chess.js': (n) => readChessJs(readFileSync(`${work}/${n}.pgn`, 'utf8')),
    chessops: (n) => readChessops(readFileSync(`${work}/${n}.pgn`, 'utf8')),
};
// chess.js 1.4.0 refuses a tag value holding the standard's escaped quote
// (\"), in any file. Where the same export with those quotes written as
// apostrophes reads the same apart from those tags, the fault is its own.
function chessJsOwnFault(n, want) {
    const text = readFileSync(`${work}/${n}.pgn`, 'utf8');
    if (!text.includes('\\"')) return false;
    try {
        const got = readChessJs(text.replace(/\\"/g, "'"));
        const apostrophes = (tags) => tags.map(([name, value]) => [name, value.replace(/"/g, "'")]);
        return difference({ ...want, tags: apostrophes(want.tags) }, got) === '';
    } catch (error) {
        return false;
    }
}

const table = {};
const faults = [];
const truths = games.map(([n]) => truth(readFileSync(`${work}/${n}.show`, 'utf8')));
for (const [peer, read] of Object.entries(peers)) {
    table[peer] = { same: 0, differing: 0, own: 0 };
    games.forEach(([n, name], i) => {
        let why;
        try {
            why = difference(truths[i], read(n));
        } catch (error) {
            why = `not read: ${error.message}`;
        }
        if (!why) {
            table[peer].same++;
        } else if (peer === 'chess.js' && chessJsOwnFault(n, truths[i])) {
            table[peer].own++;
            faults.push(`${peer}\t${name}\tits own fault: refuses the escaped quote of a tag value; read the same with apostrophes`);
        } else {
            table[peer].differing++;
            faults.push(`${peer}\t${name}\t${why}`);
        }
    });
}
if (existsSync(`${work}/all.pgn`)) {
    const peer = 'chessops, all games in one file';
    table[peer] = { same: 0, differing: 0, own: 0 };
    const all = parsePgn(readFileSync(`${work}/all.pgn`, 'utf8'));
    games.forEach(([, name], i) => {
        let why;
        try {
            why = i < all.length ? difference(truths[i], fromChessops(all[i])) : 'not read: missing';
        } catch (error) {
            why = `not read: ${error.message}`;
        }
        if (why) { table[peer].differing++; faults.push(`${peer}\t${name}\t${why}`); }
        else table[peer].same++;
    });
    if (all.length !== games.length) faults.push(`${peer}\t${all.length} games read of ${games.length}`);
}
console.log('| program | games read the same | differing | the program\'s own fault |');
console.log('|---|---|---|---|');
for (const [peer, counts] of Object.entries(table))
    console.log(`| ${peer} | ${counts.same} | ${counts.differing} | ${counts.own} |`);
for (const fault of faults) console.log(fault);
process.exit(Object.values(table).some((counts) => counts.differing > 0) ? 1 : 0);
