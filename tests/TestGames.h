#pragma once

// Games from FEN, moves as "e2e4" played by lifting the piece, and the shared
// folder of real games and known positions beside the checkout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "GameRecord.h"
#include "LegalMoves.h"
#include "TextField.h"

namespace tg {

struct Move {
    int fromFile = -1, fromRank = -1, toFile = -1, toRank = -1;
    int promotion = NoPiece;
};

inline std::string Uci(const Move& m) {
    std::string text = SquareName(m.fromFile, m.fromRank) + SquareName(m.toFile, m.toRank);
    return m.promotion > Pawn ? text + "pnbrqk"[m.promotion] : text;
}

inline Move ParseUci(const std::string& uci) {
    const int promotion = uci.size() > 4 ? int(std::string("pnbrqk").find(uci[4])) : NoPiece;
    return {uci[0] - 'a', uci[1] - '1', uci[2] - 'a', uci[3] - '1', promotion};
}

// A move-list line's move, without its number ("2. ...\tNc6", "3. Bb5").
inline std::string MoveOf(const std::string& line) {
    return line.substr(line.find(line.find('\t') != std::string::npos ? '\t' : ' ') + 1);
}

inline void Reset(CGameRecord& game, const std::string& fen) {
    EXPECT_TRUE(game.SetFromFen(fen)) << fen;
    game.m_plyCount = 0;
}

// On the heap (300 plies); "" is the standard start.
inline std::unique_ptr<CGameRecord> Game(const std::string& fen = "") {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    if (!fen.empty()) Reset(*game, fen);
    return game;
}

// Lifts the piece, asks TestMove, puts it down (promoted) or back: the refusal, or "".
inline std::string Drop(CGameRecord& g, const Move& m) {
    const int f = m.fromFile, r = m.fromRank, piece = g.GetPiece(f, r), color = g.GetColor(f, r);
    g.SetSquare(f, r, NoColor, NoPiece);
    std::string message;
    if (g.TestMove(color, piece, f, r, m.toFile, m.toRank, message, 1)) {
        g.SetSquare(m.toFile, m.toRank, color, m.promotion == NoPiece ? piece : m.promotion);
        return "";
    }
    g.SetSquare(f, r, color, piece);
    return message.empty() ? "(refused without a reason)" : message;
}

// Plays and records a move as the move entry does; FindRepetition's answer for it.
inline int PlayAndRecord(CGameRecord& g, const std::string& uci, std::string text = "") {
    const Move m = ParseUci(uci);
    const bool resetsClock =
        g.GetPiece(m.toFile, m.toRank) != NoPiece || g.GetPiece(m.fromFile, m.fromRank) == Pawn;
    EXPECT_EQ(Drop(g, m), "") << uci;
    g.SetHalfMoveClock(resetsClock ? 0 : g.GetHalfMoveClock() + 1);
    const int repeats = g.SetRepeatCount(g.FindRepetition());
    EXPECT_TRUE(g.StorePly(m.fromFile, m.fromRank, m.toFile, m.toRank, text.empty() ? uci : text));
    g.SetSideToMove(OtherColor(g.GetSideToMove()));
    g.SetCurPly(g.GetCurPly() + 1);
    g.SetPlyCount(g.GetCurPly());
    return repeats;
}

// The standard start with the first `plies` of twelve Ruy Lopez plies
// recorded and shown, each dated `date` ("" leaves it unset, as a file's are).
inline std::unique_ptr<CGameRecord> GameWithPlies(int plies, const std::string& date = "12/05/26") {
    std::istringstream opening(
        "e2e4 e4 e7e5 e5 g1f3 Nf3 b8c6 Nc6 f1b5 Bb5 a7a6 a6 b5a4 Ba4 g8f6 Nf6 d2d3 d3 f8e7 Be7 "
        "c2c3 c3 b7b5 b5");
    auto game = Game();
    std::string uci, san;
    for (int i = 0; i < plies && opening >> uci >> san; ++i) {
        const std::string number = std::to_string(i / 2 + 1);
        PlayAndRecord(*game, uci, number + (i % 2 ? ". ...\t" : ". ") + san);
        CopyToField(game->m_ply[i].date, PlyRecord::kDateSize, date);
    }
    return game;
}

// The legal moves of the side to move, a promotion once per piece.
inline std::vector<Move> LegalMoves(CGameRecord& g) {
    std::vector<Move> moves;
    for (const LegalMove& m : ::LegalMoves(g, g.m_sideToMove))
        for (int kind : {Queen, Rook, Bishop, Knight})
            if (m.promotes || kind == Queen)
                moves.push_back({m.move.from.file, m.move.from.rank, m.move.to.file, m.move.to.rank,
                                 m.promotes ? kind : NoPiece});
    return moves;
}

}  // namespace tg

namespace shared {

inline std::filesystem::path Root() {
    return std::filesystem::path(RAVELIN_SHARED_DIR);
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

inline std::vector<std::filesystem::path> Files(const std::string& sub,
                                                const std::string& extension) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(Root() / sub))
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Root() / sub))
            if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The TAB-separated fields of each line of a file, less its empty and "#" lines.
inline std::vector<std::vector<std::string>> TsvRows(const std::filesystem::path& path) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) rows.back().push_back(field);
    }
    return rows;
}

}  // namespace shared

#define RAVELIN_REQUIRE_SHARED(sub) \
    if (!std::filesystem::is_directory(shared::Root() / sub)) GTEST_SKIP() << sub " absent"
