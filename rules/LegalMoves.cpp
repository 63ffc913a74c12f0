// Every legal move of a side: the candidate targets of each piece, as a
// chess book teaches them, with TestMove alone judging each one.
#include "LegalMoves.h"

#include <cstdlib>
#include <string>

#include "GameRecord.h"
#include "MoveTables.h"

namespace {

// One piece lifted off its square and the targets tried for it.
class LiftedPiece {
public:
    LiftedPiece(CGameRecord& game, int side, int color, int file, int rank,
                const std::function<bool(const LegalMove&)>& visit, std::string& message)
        : m_game(game),
          m_side(side),
          m_color(color),
          m_piece(game.m_piece[file][rank]),
          m_file(file),
          m_rank(rank),
          m_visit(visit),
          m_message(message) {
        Put(m_file, m_rank, NoColor, NoPiece);
    }
    ~LiftedPiece() { Put(m_file, m_rank, m_color, m_piece); }

    // Each tries the piece's targets; false when the visit asked to stop.
    bool TryMoves() { return m_piece == Pawn ? TryPawnMoves() : TryLineMoves(); }

private:
    bool TryLineMoves() {
        for (int dir = 0; dir < g_moveDirCount[m_piece]; ++dir) {
            for (int step = 1; step <= g_moveRange[m_piece]; ++step) {
                const int f = m_file + g_moveDir[m_piece][dir][0] * step;
                const int r = m_rank + g_moveDir[m_piece][dir][1] * step;
                if (!IsOnBoard(f, r) || m_game.m_color[f][r] == m_color) break;
                if (!Try(f, r)) return false;
                if (m_game.m_piece[f][r] != NoPiece) break;  // a capture ends the line
            }
        }
        // Castling, from the king's own square while the wing's right
        // remains; TestMove judges the rest.
        if (m_piece != King || m_file != 4 || m_rank != BackRank(m_color)) return true;
        const bool white = m_color == White;
        if ((white ? m_game.m_canCastleWK : m_game.m_canCastleBK) && !Try(6, m_rank)) return false;
        return !(white ? m_game.m_canCastleWQ : m_game.m_canCastleBQ) || Try(2, m_rank);
    }

    bool TryPawnMoves() {
        const int forward = PawnForward(m_color);
        const int steps = m_rank == PawnHomeRank(m_color) ? 2 : 1;
        for (int step = 1; step <= steps; ++step) {
            const int r = m_rank + forward * step;
            if (!IsOnBoard(m_file, r) || m_game.m_piece[m_file][r] != NoPiece) break;
            if (!Try(m_file, r)) return false;
        }
        const int r = m_rank + forward;
        for (int f : {m_file + 1, m_file - 1}) {
            if (!IsOnBoard(f, r)) continue;
            const bool capture = m_game.m_piece[f][r] != NoPiece && m_game.m_color[f][r] != m_color;
            const bool enPassant = m_game.m_piece[f][r] == NoPiece && m_game.m_epFile == f &&
                                   m_game.m_epRank == m_rank;
            if ((capture || enPassant) && !Try(f, r)) return false;
        }
        return true;
    }

    // Asks TestMove about one target and visits the move when it is legal.
    bool Try(int toFile, int toRank) {
        if (!m_game.TestMove(m_color, m_piece, m_file, m_rank, toFile, toRank, m_message, 0))
            return true;
        // The piece is not put down, so an empty target tells en passant; the
        // pawn it took is put back, and so is a castling rook.
        const bool castling = m_piece == King && std::abs(toFile - m_file) == 2;
        if (m_piece == Pawn && toFile != m_file && m_game.m_piece[toFile][toRank] == NoPiece)
            Put(toFile, m_rank, OtherColor(m_color), Pawn);
        if (castling) {
            Put(toFile > m_file ? 7 : 0, toRank, m_color, Rook);
            Put(toFile > m_file ? 5 : 3, toRank, NoColor, NoPiece);
        }
        const LegalMove move{Move{{m_file, m_rank}, {toFile, toRank}}, castling,
                             m_piece == Pawn && (toRank == 0 || toRank == 7)};
        Put(m_file, m_rank, m_color, m_piece);
        m_game.m_sideToMove = m_side;
        const bool more = m_visit(move);
        m_game.m_sideToMove = m_color;
        Put(m_file, m_rank, NoColor, NoPiece);
        return more;
    }

    // SetSquare for the squares here, all on the board: this is the inner loop
    // of the question asked after every move.
    void Put(int file, int rank, int color, int piece) {
        m_game.m_piece[file][rank] = piece;
        m_game.m_color[file][rank] = color;
    }

    CGameRecord& m_game;
    const int m_side, m_color, m_piece, m_file, m_rank;
    const std::function<bool(const LegalMove&)>& m_visit;
    std::string& m_message;  // the refusals, of no interest here
};

}  // namespace

bool ForEachLegalMove(CGameRecord& game, int color,
                      const std::function<bool(const LegalMove&)>& visit) {
    // TestMove refuses the side not to move; each visit sees the side as given.
    const int side = game.m_sideToMove;
    game.m_sideToMove = color;
    const CGameRecord::KnownKing known = game.m_knownKing;
    game.m_knownKing = {color, -1, -1};
    game.FindPiece(color, King, game.m_knownKing.file, game.m_knownKing.rank);
    if (game.m_knownKing.file < 0) game.m_knownKing.color = NoColor;  // a side without a king
    std::string message;
    bool more = true;
    for (int file = 0; file < 8 && more; ++file)
        for (int rank = 0; rank < 8 && more; ++rank)
            if (game.m_color[file][rank] == color)
                more = LiftedPiece(game, side, color, file, rank, visit, message).TryMoves();
    game.m_sideToMove = side;
    game.m_knownKing = known;
    return more;
}

std::vector<LegalMove> LegalMoves(CGameRecord& game, int color) {
    std::vector<LegalMove> moves;
    ForEachLegalMove(game, color, [&moves](const LegalMove& move) {
        moves.push_back(move);
        return true;
    });
    return moves;
}
