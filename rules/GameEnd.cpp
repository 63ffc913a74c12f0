// The questions asked after every move: is a square attacked, how many legal
// moves does a side have, and how often has this position occurred.
#include <algorithm>

#include "GameRecord.h"
#include "LegalMoves.h"
#include "MoveTables.h"

namespace {

const int kRays[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

// How many squares lie beyond each square along each ray, so the search
// below never asks whether it is still on the board.
struct RayLengths {
    int steps[8][8][8];
    RayLengths() {
        for (int file = 0; file < 8; ++file)
            for (int rank = 0; rank < 8; ++rank)
                for (int ray = 0; ray < 8; ++ray) {
                    int d = 0;
                    while (
                        IsOnBoard(file + kRays[ray][0] * (d + 1), rank + kRays[ray][1] * (d + 1)))
                        ++d;
                    steps[file][rank][ray] = d;
                }
    }
};

}  // namespace

int CGameRecord::IsSquareAttacked(int color, int file, int rank) const {
    if (!IsOnBoard(file, rank)) return 0;
    static const RayLengths kLengths;
    for (int ray = 0; ray < 8; ++ray) {
        const bool diagonal = ray >= 4;
        const int steps = kLengths.steps[file][rank][ray];
        for (int d = 1; d <= steps; ++d) {
            const int f = file + kRays[ray][0] * d;
            const int r = rank + kRays[ray][1] * d;
            const int piece = m_piece[f][r];
            if (piece == NoPiece) continue;
            if (m_color[f][r] == color) break;
            if (piece == Queen || (piece == King && d == 1)) return 1;
            if (!diagonal && piece == Rook) return 1;
            if (diagonal && piece == Bishop) return 1;
            // A pawn captures toward the defender: from below a Black square,
            // from above a White one.
            if (diagonal && piece == Pawn && d == 1 &&
                ((color == Black && r < rank) || (color == White && r > rank)))
                return 1;
            break;
        }
    }
    for (int i = 0; i < 8; ++i) {
        const int f = file + g_moveDir[Knight][i][0];
        const int r = rank + g_moveDir[Knight][i][1];
        if (IsOnBoard(f, r) && m_piece[f][r] == Knight && m_color[f][r] != color) return 1;
    }
    return 0;
}

int CGameRecord::CountLegalMoves(int color, std::string& message) {
    message.clear();
    int count = 0;
    // Castling is not counted: whenever it is legal, so is the king's step to
    // the square it passes, so it never decides mate or stalemate.
    ForEachLegalMove(*this, color, [&count](const LegalMove& move) {
        count += move.castling ? 0 : 1;
        return true;
    });
    return count;
}

bool CGameRecord::HasLegalMove(int color) {
    return !ForEachLegalMove(*this, color, [](const LegalMove&) { return false; });
}

int CGameRecord::FindRepetition() const {
    // Only positions with the same side to move, most recent first; the most
    // recent equal one carries the count of all earlier ones.
    // A capture or a pawn move (the clock's reset) makes every earlier position
    // unreachable, so the search stops there.
    const int oldest = std::max(0, m_curPly - m_halfMoveClock);
    for (int j = m_curPly - 2; j >= oldest; j -= 2) {
        if (j >= kMaxPlies) continue;
        const PlyRecord& ply = m_ply[j];
        if (ply.HoldsBoard(m_piece, m_color)) return ply.repeatCount + 1;
    }
    return 0;
}

bool CGameRecord::CanReach(int piece, int color, int fromFile, int fromRank, int toFile,
                           int toRank) const {
    (void)color;  // reach is geometric: either colour's pieces block
    if (piece < Pawn || piece > King) return false;
    for (int dir = 0; dir < g_moveDirCount[piece]; ++dir) {
        for (int step = 1; step <= g_moveRange[piece]; ++step) {
            const int f = fromFile + g_moveDir[piece][dir][0] * step;
            const int r = fromRank + g_moveDir[piece][dir][1] * step;
            if (!IsOnBoard(f, r)) break;
            if (f == toFile && r == toRank) return true;
            if (m_piece[f][r] != NoPiece) break;
        }
    }
    return false;
}
