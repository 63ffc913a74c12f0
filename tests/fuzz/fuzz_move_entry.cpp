// Pieces carried anywhere, as the board view carries them: the first byte
// picks a position from the tests, then every six bytes are one action: a
// move-list line to show first (or none), setup mode on or off, a press on a
// from-square and a release on a to-square (files and ranks -3 to 10, so off
// the board too) and the piece a promotion asks for.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "MoveEntry.h"
#include "MoveTextApply.h"

namespace {

struct Census {
    int count[2][6] = {};  // [colour][kind]
    int total[2] = {};

    explicit Census(const CGameRecord& game) {
        for (int f = 0; f < 8; ++f) {
            for (int r = 0; r < 8; ++r) {
                const int color = game.m_color[f][r];
                if (color == NoColor) continue;
                ++count[color][game.m_piece[f][r]];
                ++total[color];
            }
        }
    }
};

// Pieces are taken off, never made, except the piece a pawn becomes.
void RequireNoPieceMade(const Census& before, const Census& after, int mover) {
    const int other = OtherColor(mover);
    fuzz::Require(after.total[mover] <= before.total[mover], "the mover gains no piece");
    fuzz::Require(after.count[mover][King] <= before.count[mover][King], "the mover gains no king");
    fuzz::Require(after.count[mover][Pawn] <= before.count[mover][Pawn], "the mover gains no pawn");
    for (int kind = Pawn; kind <= King; ++kind)
        fuzz::Require(after.count[other][kind] <= before.count[other][kind],
                      "the other side gains no piece");
}

// Shows a line of the move list as the view does: the start, or a ply.
void ShowLine(CGameRecord& game, int line) {
    if (line > 0)
        game.RestorePly(line - 1);
    else
        game.SetFromFen(game.m_startFen);
}

int Coordinate(std::uint8_t byte) {
    return byte % 14 - 3;
}

// The move text of a recorded line read back on the position before the move
// must find the same squares and give the same board.
void RequireTextReadsBack(CGameRecord& beforeMove, const CGameRecord& game) {
    const PlyRecord& ply = game.m_ply[game.m_curPly - 1];
    const std::string line = ply.text;
    std::size_t separator = line.find('\t');
    if (separator == std::string::npos) separator = line.find(' ');
    const std::string text = line.substr(separator + 1);
    fuzz::Require(
        ApplyMoveText(beforeMove, text, beforeMove.m_sideToMove) == MoveTextResult::Played,
        "the move text of a recorded move plays");
    const PlyRecord& read = beforeMove.m_ply[beforeMove.m_curPly - 1];
    fuzz::Require(read.fromFile == ply.fromFile && read.fromRank == ply.fromRank &&
                      read.toFile == ply.toFile && read.toRank == ply.toRank,
                  "the move text names the squares of the move");
    fuzz::Require(fuzz::Shown(beforeMove).SameBoard(game), "the move text gives the same board");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static auto game = std::make_unique<CGameRecord>();
    static auto beforeMove = std::make_unique<CGameRecord>();
    fuzz::StartGame(*game, data[0]);

    for (std::size_t at = 1; at + 6 <= size; at += 6) {
        const std::uint8_t* action = data + at;
        const bool setup = (action[0] & 1) != 0;
        if (action[0] & 2) ShowLine(*game, (action[0] >> 2) % (game->m_plyCount + 1));
        fuzz::RequireWithinLimits(*game);

        PieceDrop drop;
        drop.fromFile = Coordinate(action[1]);
        drop.fromRank = Coordinate(action[2]);
        drop.toFile = Coordinate(action[3]);
        drop.toRank = Coordinate(action[4]);
        // A finished game and an empty square lift nothing.
        if (game->m_status != 'P' || game->GetColor(drop.fromFile, drop.fromRank) == NoColor)
            continue;
        drop.kind = game->GetPiece(drop.fromFile, drop.fromRank);
        drop.color = game->GetColor(drop.fromFile, drop.fromRank);

        const fuzz::Shown before(*game);
        const Census census(*game);
        beforeMove->Assign(*game);
        game->SetSquare(drop.fromFile, drop.fromRank, NoColor, NoPiece);
        int asked = 0;
        const int answer = action[5] % 8 - 1;  // -1 to 6: out of range too
        const DropOutcome outcome = PlayDroppedPiece(*game, drop, setup, "12/06/26", [&] {
            ++asked;
            return answer;
        });

        fuzz::RequireWithinLimits(*game);
        RequireNoPieceMade(census, Census(*game), drop.color);
        fuzz::Require(asked <= 1, "a promotion is asked for once at most");
        if (setup) {
            fuzz::Require(!outcome.recorded, "setup records nothing");
            fuzz::Require(game->m_curPly == before.curPly && game->m_plyCount == before.plyCount,
                          "setup keeps the plies");
            continue;
        }
        if (!outcome.accepted) {
            fuzz::Require(fuzz::Shown(*game) == before, "a refused move changes nothing");
            fuzz::Require(!outcome.refusal.empty(), "a refusal says why");
            continue;
        }
        fuzz::Require(outcome.recorded, "an accepted move is recorded");
        fuzz::Require(game->m_curPly == before.curPly + 1 && game->m_plyCount == game->m_curPly,
                      "a recorded move is the last ply");
        fuzz::Require(game->m_sideToMove != before.side, "a recorded move passes the move");
        fuzz::RequirePlyCodes(game->m_ply[game->m_curPly - 1]);
        fuzz::Require(outcome.line == game->m_ply[game->m_curPly - 1].text,
                      "the list line is the ply's text");
        RequireTextReadsBack(*beforeMove, *game);
    }
    return 0;
}
