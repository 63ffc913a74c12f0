#include "StartChoices.h"

#include <algorithm>

bool StartChoices::operator==(const StartChoices& other) const {
    return side == other.side && std::equal(castling, castling + 4, other.castling) &&
           std::equal(castlingAllowed, castlingAllowed + 4, other.castlingAllowed) &&
           enPassant == other.enPassant && enPassantFor[0] == other.enPassantFor[0] &&
           enPassantFor[1] == other.enPassantFor[1] && moveNumber == other.moveNumber &&
           halfMoveClock == other.halfMoveClock;
}

namespace {

bool Holds(const CGameRecord& board, int file, int rank, int color, int piece) {
    return board.GetPiece(file, rank) == piece && board.GetColor(file, rank) == color;
}

// Where the side to move could take en passant: an enemy pawn on its fourth
// rank whose two squares behind are empty, as after a two-square advance.
std::vector<std::string> EnPassantTargets(const CGameRecord& board, int side) {
    const int enemy = OtherColor(side);
    const int pawnRank = enemy == White ? 3 : 4;
    const int step = enemy == White ? -1 : 1;
    std::vector<std::string> targets;
    for (int file = 0; file < 8; ++file)
        if (Holds(board, file, pawnRank, enemy, Pawn) &&
            board.GetPiece(file, pawnRank + step) == NoPiece &&
            board.GetPiece(file, pawnRank + 2 * step) == NoPiece)
            targets.push_back(SquareName(file, pawnRank + step));
    return targets;
}

}  // namespace

StartChoices StartChoicesFor(const CGameRecord& board) {
    StartChoices choices;
    const int homes[4][2] = {{White, 7}, {White, 0}, {Black, 7}, {Black, 0}};
    for (int right = 0; right < 4; ++right) {
        const int color = homes[right][0];
        const int rank = BackRank(color);
        choices.castlingAllowed[right] =
            Holds(board, 4, rank, color, King) && Holds(board, homes[right][1], rank, color, Rook);
        choices.castling[right] = choices.castlingAllowed[right];
    }
    choices.enPassantFor[White] = EnPassantTargets(board, White);
    choices.enPassantFor[Black] = EnPassantTargets(board, Black);
    return choices;
}

StartChoices StartChoicesKept(const CGameRecord& board, const StartChoices& wanted) {
    StartChoices choices = StartChoicesFor(board);
    choices.side = wanted.side == Black ? Black : White;
    for (int right = 0; right < 4; ++right)
        choices.castling[right] = choices.castlingAllowed[right] && wanted.castling[right];
    const std::vector<std::string>& targets = choices.enPassantFor[choices.side];
    if (std::find(targets.begin(), targets.end(), wanted.enPassant) != targets.end())
        choices.enPassant = wanted.enPassant;
    choices.moveNumber = std::clamp(wanted.moveNumber, 1, CGameRecord::kMaxFenMoveNumber);
    choices.halfMoveClock = std::clamp(wanted.halfMoveClock, 0, CGameRecord::kMaxFenHalfMoveClock);
    return choices;
}

StartChoices StartChoicesOf(const CGameRecord& position) {
    StartChoices wanted;
    wanted.side = position.m_sideToMove;
    const int rights[4] = {position.m_canCastleWK, position.m_canCastleWQ, position.m_canCastleBK,
                           position.m_canCastleBQ};
    for (int right = 0; right < 4; ++right) wanted.castling[right] = rights[right] != 0;
    // The record keeps the square of the pawn that advanced; the target is behind it.
    if (position.m_epFile >= 0 && (position.m_epRank == 3 || position.m_epRank == 4))
        wanted.enPassant = SquareName(position.m_epFile, position.m_epRank == 3 ? 2 : 5);
    wanted.moveNumber = position.m_startMoveNumber;
    wanted.halfMoveClock = position.m_halfMoveClock;
    return StartChoicesKept(position, wanted);
}

std::string StartFen(const CGameRecord& board, const StartChoices& choices) {
    const StartChoices kept = StartChoicesKept(board, choices);
    std::string castling;
    for (int right = 0; right < 4; ++right)
        if (kept.castling[right]) castling += "KQkq"[right];
    const std::string fen = board.MakeFullFen();
    return fen.substr(0, fen.find(' ')) + (kept.side == Black ? " b " : " w ") +
           (castling.empty() ? "-" : castling) + " " +
           (kept.enPassant.empty() ? "-" : kept.enPassant) + " " +
           std::to_string(kept.halfMoveClock) + " " + std::to_string(kept.moveNumber);
}

void ApplyStartChoices(CGameRecord& game, const StartChoices& choices) {
    game.MakeStartFen();
    if (choices == StartChoicesFor(game)) return;
    game.SetFromFen(StartFen(game, choices));
}
