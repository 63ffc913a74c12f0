#include "LongGame.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "MoveTextApply.h"
#include "PgnWriter.h"

namespace {

// 300 plies that no mate, stalemate or draw ends, every one with the full
// rule checks behind it.
const char kMoves[] =
    "Na3 h6 f3 h5 Rb1 h4 b3 Rh7 f4 c6 Kf2 g6 Ke3 b5 Ke4 b4 Kd3 g5 f5 Ba6+ Ke4 Qc7 h3 Rh5 Rh2 "
    "Bb5 Nf3 g4 Ng5 Qb7 d4 Bd3+ Kf4 e6 Ke3 a5 g3 Nf6 Kf2 Qc8 Nb5 Nh7 d5 Ra6 Ba3 Qc7 Rh1 c5 "
    "Rc1 Bd6 Rb1 Ra8 Rh2 Be4 Nf3 Qc8 f6 Qd8 Rg2 c4 Nc3 Bf4 Ng1 Ra7 Na4 Rg5 Nc3 Na6 d6 Bd5 "
    "Rh2 Nb8 Qc1 Bg2 Qd2 Bh1 Rd1 Bd5 Na4 Qb6+ e3 Qc6 e4 Qc7 Nb6 Na6 Qe2 Bd2 Rh1 Re5 Bb2 Nf8 "
    "Nc8 Bc3 Bg2 Qb6+ Kf1 Qb7 Rh2 a4 Nb6 a3 Ba1 Rf5+ Bf3 Bd2 Nc8 Bc6 Re1 Be3 Bc3 Bc1 Qd1 Qb8 "
    "Bb2 e5 Bc3 Bf4 Ne2 Ba8 Qd3 Bd2 Rg2 Rf4 Qd4 Bc6 Ng1 Bc1 Qc5 Qa8 Ke2 Nc7 Bd4 Qb8 Kd1 Rb7 "
    "Rd2 Ra7 Ba1 Qb6 Rd5 Kd8 Qb5 Ke8 Rd2 Kd8 Bd4 Nd5 Qa4 Rc7 Rf1 Qa7 Bb2 Qd4 Qa6 Nh7 Qa4 "
    "Ne3+ Ke2 Rb7 c3 Rf5 Qb5 Rb6 Na7 Qd5 Re1 Nf8 Rf1 Nc2 Re1 Ba8 Red1 Nh7 Kf1 Rg5 Nc6+ Ke8 "
    "Nd8 Qc6 Qa4 Na1 Rh2 Rg6 Rd4 Ra6 Qb5 Rh6 Qc5 Rb6 Bg2 Rb8 Rd5 Qb7 Qb5 Bg5 Qa6 Rc8 Bf3 Qc7 "
    "Qa4 Rg6 Qa5 Be3 Nc6 Rg5 Rb5 Bf2 Kg2 Rg7 Ne2 Bc5 Rb6 Qa7 Ne7 Nf8 Nc6 Qa6 Ne7 Bd5 Nd4 "
    "gxf3+ Kg1 Be6 Ng8 Nc2 Qb5 Rc6 Qa4 Rg5 Bc1 Qc8 Qa5 Rg6 Rd2 Nh7 Rd3 Qa6 Re3 Bg4 Kh1 Rg7 "
    "Ne7 Ne1 Re2 Qa8 Nc8 Kf8 Bd2 Bh5 Be3 Qb7 Qb5 Kg8 Na7 Bg6 Rd2 Kh8 Ne2 Qc7 Nf4 Nc2 Rd4 Kg8 "
    "Bf2 Ng5 Kh2 Bh7 Ra6 Qb7 Rd5 Kf8 Kg1 Qa8 Ne6+ Ke8 Kf1 Qb7 g4 Bf5 Bd4 Rc8 Nc6 Qb6 Qa4 Rg6 "
    "Nf4 Ne6 Ne2 Nc7 Nc1 Qb8 Qa5 Kf8 Qa4 Na8 Be3 Ne1 Bd2 Rc7";

// A note of exactly 4096 characters, different for every ply (-1 is the start).
std::string NoteFor(int ply) {
    static const char* const kWords[] = {"the",  "knight", "keeps", "an",    "eye",   "on",
                                         "both", "wings",  "while", "quiet", "pawns", "wait",
                                         "for",  "their",  "turn",  "to",    "move",  "again"};
    std::string note = "Ply " + std::to_string(ply + 1) + ":";
    for (unsigned i = static_cast<unsigned>(ply + 1); note.size() < CGameRecord::kMaxNoteLength;
         i = i * 7 + 3)
        note += std::string(" ") + kWords[i % (sizeof kWords / sizeof kWords[0])];
    note.resize(CGameRecord::kMaxNoteLength - 1);
    note += '.';
    return note;
}

}  // namespace

std::unique_ptr<CGameRecord> BuildLongGame(bool withNotes) {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    game->SetFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    const char* tags[] = {"Long game", "Ravelin", "2024.03.01", "1", "White", "Black", "*"};
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) game->SetTag(tag, tags[tag]);
    std::istringstream moves(kMoves);
    std::string move;
    while (moves >> move) {
        if (ApplyMoveText(*game, move, game->m_sideToMove) != MoveTextResult::Played) {
            std::cerr << "move " << game->m_curPly + 1 << " (" << move << ") cannot be played\n";
            return nullptr;
        }
    }
    if (game->m_plyCount != CGameRecord::kMaxPlies || game->m_status != 'P') {
        std::cerr << "the long game ended early or is not whole\n";
        return nullptr;
    }
    if (!withNotes) return game;
    game->m_startNote = NoteFor(-1);
    game->m_hasStartNote = 1;
    for (int ply = 0; ply < game->m_plyCount; ++ply) {
        game->m_ply[ply].note = NoteFor(ply);
        game->m_ply[ply].hasNote = 1;
    }
    return game;
}

bool WriteLongGame(const std::string& path) {
    const auto game = BuildLongGame();
    if (!game) return false;
    std::ofstream file(path, std::ios::binary);
    file << WritePgnToString(*game);
    return static_cast<bool>(file.flush());
}
