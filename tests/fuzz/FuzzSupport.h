#pragma once

// What the fuzz targets share: the positions they start from, a check that
// stops the run with its reason, and the invariants every game keeps.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "GameRecord.h"
#include "MoveRecording.h"
#include "PlyLine.h"

namespace fuzz {

// Positions from the tests: the start, castling, en passant, promotions,
// pieces that need telling apart, pins, mates, a game with Black to move
// first, and boards without kings. The first input byte picks one.
inline const char* const kPositions[16] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
    "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1",
    "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1",
    "7k/4P3/8/8/8/8/8/4K3 w - - 0 1",
    "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 3 20",
    "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
    "4k3/8/8/8/8/8/8/4K1N1 w - - 99 60",
    "4k3/8/8/8/8/8/7K/1RN3R1 w - - 0 1",
    "8/8/8/8/8/8/8/8 w - - 0 1",
};

// Stops the run, so the fuzzer keeps the input, when a promise is broken.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Every square holds a piece code and a colour code in range, both empty or
// neither.
inline void RequireBoardCodes(const int piece[8][8], const int color[8][8]) {
    for (int f = 0; f < 8; ++f) {
        for (int r = 0; r < 8; ++r) {
            Require(piece[f][r] >= NoPiece && piece[f][r] <= King, "piece code in range");
            Require(color[f][r] >= NoColor && color[f][r] <= Black, "colour code in range");
            Require((piece[f][r] == NoPiece) == (color[f][r] == NoColor),
                    "a square is empty in both arrays or in neither");
        }
    }
}

// The limits every game keeps, whatever was done to it. The plies' boards
// are checked as they are recorded (RequirePlyCodes).
inline void RequireWithinLimits(const CGameRecord& game) {
    Require(game.m_curPly >= 0 && game.m_curPly <= game.m_plyCount, "0 <= m_curPly <= m_plyCount");
    Require(game.m_plyCount <= CGameRecord::kMaxPlies, "m_plyCount <= 300");
    Require(game.m_sideToMove == White || game.m_sideToMove == Black, "a side to move");
    Require(game.m_status != '\0' && std::strchr("PMSD", game.m_status) != nullptr,
            "a known status letter");
    RequireBoardCodes(game.m_piece, game.m_color);
}

inline void RequirePlyCodes(const PlyRecord& ply) {
    RequireBoardCodes(ply.piece, ply.color);
    Require(std::memchr(ply.text, '\0', sizeof ply.text) != nullptr, "ply text terminated");
    Require(std::memchr(ply.date, '\0', sizeof ply.date) != nullptr, "ply date terminated");
}

// The position and rule state shown, without the plies.
struct Shown {
    int piece[8][8];
    int color[8][8];
    int side, epFile, epRank, castling[4], clock, curPly, plyCount;
    char status;

    explicit Shown(const CGameRecord& game)
        : side(game.m_sideToMove),
          epFile(game.m_epFile),
          epRank(game.m_epRank),
          castling{game.m_canCastleWK, game.m_canCastleWQ, game.m_canCastleBK, game.m_canCastleBQ},
          clock(game.m_halfMoveClock),
          curPly(game.m_curPly),
          plyCount(game.m_plyCount),
          status(game.m_status) {
        std::memcpy(piece, game.m_piece, sizeof piece);
        std::memcpy(color, game.m_color, sizeof color);
    }

    bool SameBoard(const CGameRecord& game) const {
        return std::memcmp(piece, game.m_piece, sizeof piece) == 0 &&
               std::memcmp(color, game.m_color, sizeof color) == 0;
    }
    bool operator==(const Shown& o) const {
        return std::memcmp(piece, o.piece, sizeof piece) == 0 &&
               std::memcmp(color, o.color, sizeof color) == 0 && side == o.side &&
               epFile == o.epFile && epRank == o.epRank &&
               std::memcmp(castling, o.castling, sizeof castling) == 0 && clock == o.clock &&
               curPly == o.curPly && plyCount == o.plyCount && status == o.status;
    }
};

// A game from the position table; with `nearlyFull` its record already holds
// 296 plies (the position repeated without moves), so the 300-ply limit is in
// reach of a short input.
inline void StartGame(CGameRecord& game, unsigned char choice) {
    game.SetFromFen(kPositions[choice % 16]);
    game.m_plyCount = 0;
    if ((choice & 0x80) == 0) return;
    for (int i = 0; i < 296; ++i)
        RecordPly(game, -1, -1, -1, -1, FormatPlyLine(game, game.m_curPly, "--"));
}

}  // namespace fuzz
