// chess.js loading games, the peer of `ravelin-pgn check`: every file named
// in LISTFILE (one path a line) is read and loaded with loadPgn, which reads
// the tags and replays every move.
//   node bench/chessjs-load.mjs LISTFILE            one pass, as a process would
//   node bench/chessjs-load.mjs LISTFILE PASSES     also the median and best time of a
//                                                   pass within one process (files read
//                                                   once beforehand, code warmed up)
import { readFileSync } from 'node:fs';
import { loadChessJs } from './chessjs-peer.mjs';

const { Chess } = loadChessJs();
const [listFile, passArg] = process.argv.slice(2);
if (!listFile) {
    console.error('usage: chessjs-load.mjs LISTFILE [PASSES]');
    process.exit(2);
}
const paths = readFileSync(listFile, 'utf8').split('\n').filter((line) => line.length > 0);

// Loads every text; returns how many loaded.
function loadAll(texts) {
    let loaded = 0;
    for (const text of texts) {
        const chess = new Chess();
        try {
            chess.loadPgn(text);
            ++loaded;
        } catch (error) {
            // A game chess.js refuses still cost its time; it is counted apart.
        }
    }
    return loaded;
}

const loaded = loadAll(paths.map((path) => readFileSync(path, 'utf8')));
console.log(`games ${paths.length}`);
console.log(`loaded ${loaded}`);
const passes = Number(passArg) || 0;
if (passes > 0) {
    const texts = paths.map((path) => readFileSync(path, 'utf8'));
    const times = [];
    for (let pass = 0; pass < passes; ++pass) {
        const start = process.hrtime.bigint();
        loadAll(texts);
        times.push(Number(process.hrtime.bigint() - start) / 1e6);
    }
    times.sort((a, b) => a - b);
    console.log(`pass_median_ms ${times[passes >> 1]}`);
    console.log(`pass_best_ms ${times[0]}`);
}
