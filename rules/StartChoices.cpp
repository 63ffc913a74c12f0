#include "StartChoices.h"

#include <algorithm>

bool StartChoices::operator==(const StartChoices& other) const {
    return side == other.side && std::equal(castling, castling + 4, other.castling) &&
           std::equal(castlingAllowed, castlingAllowed + 4, other.castlingAllowed) &&
           enPassant == other.enPassant && enPassantFor[0] == other.enPassantFor[0] &&
           enPassantFor[1] == other.enPassantFor[1] && moveNumber == other.moveNumber;
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

void ApplyStartChoices(CGameRecord& game, const StartChoices& choices) {
    game.MakeStartFen();
    if (choices == StartChoicesFor(game)) return;
    const std::string start = game.m_startFen;
    std::string castling;
    for (int right = 0; right < 4; ++right)
        if (choices.castling[right] && choices.castlingAllowed[right]) castling += "KQkq"[right];
    const std::vector<std::string>& targets = choices.enPassantFor[choices.side == Black];
    const bool target = std::find(targets.begin(), targets.end(), choices.enPassant) != targets.end();
    const int number = std::clamp(choices.moveNumber, 1, CGameRecord::kMaxFenMoveNumber);
    const std::string fen = start.substr(0, start.find(' ')) +
                            (choices.side == Black ? " b " : " w ") +
                            (castling.empty() ? "-" : castling) + " " +
                            (target ? choices.enPassant : "-") + " 0 " + std::to_string(number);
    game.SetFromFen(fen);
}
