// The rules engine under the loads the program puts on it: the legal-move
// count asked after every move, one move tested and committed, the
// repetition search at the end of a full game, and the whole-record copy the
// board view makes after every change.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "GameRecord.h"

namespace {

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char kMiddlegame[] =
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10";
const char kEndgame[] = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1";
const char kKiwipete[] = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const char kPromotions[] = "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1";
// Nine queens and 218 legal moves, about the most any position has.
const char kMostMoves[] = "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1";

std::unique_ptr<CGameRecord> Game(const char* fen) {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    game->SetFromFen(fen);
    return game;
}

void BM_CountLegalMoves(benchmark::State& state, const char* fen) {
    auto game = Game(fen);
    std::string message;
    int count = 0;
    for (auto _ : state) {
        count = game->CountLegalMoves(game->GetSideToMove(), message);
        benchmark::DoNotOptimize(count);
    }
    state.counters["moves"] = count;
}
BENCHMARK_CAPTURE(BM_CountLegalMoves, start, kStart);
BENCHMARK_CAPTURE(BM_CountLegalMoves, middlegame, kMiddlegame);
BENCHMARK_CAPTURE(BM_CountLegalMoves, endgame, kEndgame);
BENCHMARK_CAPTURE(BM_CountLegalMoves, kiwipete, kKiwipete);
BENCHMARK_CAPTURE(BM_CountLegalMoves, promotions, kPromotions);
BENCHMARK_CAPTURE(BM_CountLegalMoves, most_moves, kMostMoves);

struct Drop {
    const char* fen;
    int fromFile, fromRank, toFile, toRank;
};

// One accepted move as the move entry makes it: lift, TestMove in commit
// mode, put down; the board and rule state are put back between iterations.
void BM_TestMoveCommit(benchmark::State& state, Drop drop) {
    auto game = Game(drop.fen);
    const int piece = game->GetPiece(drop.fromFile, drop.fromRank);
    const int color = game->GetColor(drop.fromFile, drop.fromRank);
    int board[2][8][8];
    std::memcpy(board[0], game->m_piece, sizeof board[0]);
    std::memcpy(board[1], game->m_color, sizeof board[1]);
    const int ep[2] = {game->m_epFile, game->m_epRank};
    const int rights[4] = {game->m_canCastleWK, game->m_canCastleWQ, game->m_canCastleBK,
                           game->m_canCastleBQ};
    std::string message;
    for (auto _ : state) {
        game->SetSquare(drop.fromFile, drop.fromRank, NoColor, NoPiece);
        const int ok = game->TestMove(color, piece, drop.fromFile, drop.fromRank, drop.toFile,
                                      drop.toRank, message, 1);
        game->SetSquare(drop.toFile, drop.toRank, color, piece);
        benchmark::DoNotOptimize(ok);

        std::memcpy(game->m_piece, board[0], sizeof board[0]);
        std::memcpy(game->m_color, board[1], sizeof board[1]);
        game->m_epFile = ep[0];
        game->m_epRank = ep[1];
        game->m_canCastleWK = rights[0];
        game->m_canCastleWQ = rights[1];
        game->m_canCastleBK = rights[2];
        game->m_canCastleBQ = rights[3];
    }
    if (!message.empty()) state.SkipWithError(message.c_str());
}
BENCHMARK_CAPTURE(BM_TestMoveCommit, pawn_two_squares, Drop{kStart, 4, 1, 4, 3});
BENCHMARK_CAPTURE(BM_TestMoveCommit, queen_capture, Drop{kKiwipete, 5, 2, 5, 5});
BENCHMARK_CAPTURE(BM_TestMoveCommit, castling, Drop{kKiwipete, 4, 0, 6, 0});
BENCHMARK_CAPTURE(BM_TestMoveCommit, en_passant,
                  Drop{"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", 4, 4, 5,
                       5});

// A record holding 299 plies whose positions all differ from the shown one
// only on the last square compared: the search looks at every second ply
// back to the first and compares each board to its end, the slowest case.
void BM_FindRepetitionFullGame(benchmark::State& state) {
    auto game = Game(kStart);
    game->SetSquare(7, 7, White, Rook);
    for (int ply = 0; ply < CGameRecord::kMaxPlies - 1; ++ply) {
        game->SetCurPly(ply);
        game->StorePly(6, 0, 5, 2, "1. Nf3");
    }
    game->SetSquare(7, 7, Black, Rook);
    game->SetCurPly(CGameRecord::kMaxPlies - 1);
    for (auto _ : state) benchmark::DoNotOptimize(game->FindRepetition());
}
BENCHMARK(BM_FindRepetitionFullGame);

// The copy the board view makes after every change, of the largest record:
// 300 plies, a note of 4096 characters on each and on the start.
void BM_AssignFullRecord(benchmark::State& state) {
    auto source = Game(kStart);
    const std::string note(CGameRecord::kMaxNoteLength, 'n');
    source->m_hasStartNote = 1;
    source->m_startNote = note;
    for (int ply = 0; ply < CGameRecord::kMaxPlies; ++ply) {
        source->SetCurPly(ply);
        source->StorePly(6, 0, 5, 2, "1. Nf3");
        source->m_ply[ply].note = note;
        source->m_ply[ply].hasNote = 1;
    }
    source->SetCurPly(CGameRecord::kMaxPlies);
    source->SetPlyCount(CGameRecord::kMaxPlies);
    auto target = std::make_unique<CGameRecord>();
    for (auto _ : state) {
        target->Assign(*source);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(sizeof(CGameRecord) + 301 * note.size()));
}
BENCHMARK(BM_AssignFullRecord);

// Showing the starting position again: the "<|" button and the first line
// of the move list.
void BM_SetFromFen(benchmark::State& state) {
    auto game = Game(kKiwipete);
    for (auto _ : state) benchmark::DoNotOptimize(game->SetFromFen(kKiwipete));
}
BENCHMARK(BM_SetFromFen);

}  // namespace

BENCHMARK_MAIN();
