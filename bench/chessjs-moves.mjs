// chess.js generating the legal moves of positions read as FEN lines: the
// peer of count_moves. Every position is loaded once beforehand; a pass asks
// each for its legal moves.
//   node bench/chessjs-moves.mjs FENFILE [PASSES]   median and best time per position
//   node bench/chessjs-moves.mjs FENFILE --counts   each position's move count as
//                                                   CountLegalMoves counts: one per from and
//                                                   to square (a promotion once), castling
//                                                   left out (a king that may castle may step)
// moves() is chess.js's public call and writes each move's text (with the
// check and mate marks); the "bare" figure uses its internal legal-move
// generator, which writes no text, as the nearer match to a count.
import { readFileSync } from 'node:fs';
import { loadChessJs } from './chessjs-peer.mjs';

const { Chess } = loadChessJs();
const [fenFile, option] = process.argv.slice(2);
if (!fenFile) {
    console.error('usage: chessjs-moves.mjs FENFILE [PASSES | --counts]');
    process.exit(2);
}
const fens = readFileSync(fenFile, 'utf8').split('\n').filter((line) => line.length > 0);
const games = fens.map((fen) => new Chess(fen));

if (option === '--counts') {
    const count = (game) =>
        new Set(
            game
                .moves({ verbose: true })
                .filter((move) => !move.san.startsWith('O-O'))
                .map((move) => move.from + move.to),
        ).size;
    process.stdout.write(games.map(count).join('\n') + '\n');
    process.exit(0);
}

const passes = Math.max(1, Number(option) || 21);
function time(ask) {
    const perPosition = [];
    let moves = 0;
    for (let pass = 0; pass < passes; ++pass) {
        const start = process.hrtime.bigint();
        for (const game of games) moves += ask(game).length;
        const end = process.hrtime.bigint();
        perPosition.push(Number(end - start) / games.length);
    }
    perPosition.sort((a, b) => a - b);
    return { median: perPosition[passes >> 1], best: perPosition[0], moves: moves / passes };
}
const pub = time((game) => game.moves());
const bare = typeof games[0]._moves === 'function' ? time((game) => game._moves()) : null;
console.log(`positions ${games.length}`);
console.log(`passes ${passes}`);
console.log(`median_ns ${pub.median}`);
console.log(`best_ns ${pub.best}`);
console.log(`moves ${pub.moves}`);
if (bare) {
    console.log(`bare_median_ns ${bare.median}`);
    console.log(`bare_best_ns ${bare.best}`);
}
