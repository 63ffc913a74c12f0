// The questions asked after every move: is a square attacked, how many legal
// moves does a side have, and how often has this position occurred.
#include <cstring>
#include <limits>

#include "GameRecord.h"
#include "MoveTables.h"

int CGameRecord::IsSquareAttacked(int color, int file, int rank) const {
    if (!IsOnBoard(file, rank)) return 0;
    static const int kRays[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1},
                                    {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (int ray = 0; ray < 8; ++ray) {
        const bool diagonal = ray >= 4;
        for (int d = 1; d <= 7; ++d) {
            const int f = file + kRays[ray][0] * d;
            const int r = rank + kRays[ray][1] * d;
            if (!IsOnBoard(f, r)) break;
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

void CGameRecord::TryPieceMoves(int color, int piece, int file, int rank, std::string& message,
                                int& count, int limit) {
    for (int dir = 0; dir < g_moveDirCount[piece] && count < limit; ++dir) {
        for (int step = 1; step <= g_moveRange[piece] && count < limit; ++step) {
            const int f = file + g_moveDir[piece][dir][0] * step;
            const int r = rank + g_moveDir[piece][dir][1] * step;
            if (!IsOnBoard(f, r) || m_color[f][r] == color) break;
            const bool capture = m_piece[f][r] != NoPiece;
            if (TestMove(color, piece, file, rank, f, r, message, 0)) ++count;
            if (capture) break;
        }
    }
}

void CGameRecord::TryPawnMoves(int color, int file, int rank, std::string& message, int& count,
                               int limit) {
    const int forward = PawnForward(color);
    const int steps = rank == PawnHomeRank(color) ? 2 : 1;
    for (int step = 1; step <= steps && count < limit; ++step) {
        const int r = rank + forward * step;
        if (!IsOnBoard(file, r) || m_piece[file][r] != NoPiece) break;
        if (TestMove(color, Pawn, file, rank, file, r, message, 0)) ++count;
    }
    const int r = rank + forward;
    for (int side : {1, -1}) {
        const int f = file + side;
        if (count >= limit || !IsOnBoard(f, r)) continue;
        const bool capture = m_piece[f][r] != NoPiece && m_color[f][r] != color;
        const bool enPassant = m_piece[f][r] == NoPiece && m_epFile == f && m_epRank == rank;
        if (!capture && !enPassant) continue;
        if (TestMove(color, Pawn, file, rank, f, r, message, 0)) {
            ++count;
            // An accepted en-passant capture took the pawn beside us off.
            if (enPassant) SetSquare(f, rank, OtherColor(color), Pawn);
        }
    }
}

int CGameRecord::CountLegalMovesUpTo(int color, std::string& message, int limit) {
    const int savedSide = m_sideToMove;
    m_sideToMove = color;
    int count = 0;
    for (int file = 0; file < 8 && count < limit; ++file) {
        for (int rank = 0; rank < 8 && count < limit; ++rank) {
            if (m_color[file][rank] != color) continue;
            const int piece = m_piece[file][rank];
            SetSquare(file, rank, NoColor, NoPiece);
            if (piece == Pawn)
                TryPawnMoves(color, file, rank, message, count, limit);
            else
                TryPieceMoves(color, piece, file, rank, message, count, limit);
            SetSquare(file, rank, color, piece);
        }
    }
    m_sideToMove = savedSide;
    return count;
}

int CGameRecord::CountLegalMoves(int color, std::string& message) {
    return CountLegalMovesUpTo(color, message, std::numeric_limits<int>::max());
}

bool CGameRecord::HasLegalMove(int color) {
    std::string message;
    return CountLegalMovesUpTo(color, message, 1) > 0;
}

int CGameRecord::FindRepetition() const {
    // Only positions with the same side to move, most recent first; the most
    // recent equal one carries the count of all earlier ones.
    for (int j = m_curPly - 2; j >= 0; j -= 2) {
        if (j >= kMaxPlies) continue;
        const PlyRecord& ply = m_ply[j];
        if (std::memcmp(ply.piece, m_piece, sizeof m_piece) == 0 &&
            std::memcmp(ply.color, m_color, sizeof m_color) == 0)
            return ply.repeatCount + 1;
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
