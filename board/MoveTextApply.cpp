#include "MoveTextApply.h"

#include "MoveRecording.h"
#include "MoveTables.h"
#include "PlyLine.h"

namespace {

int PromotionFromLetter(char letter) {
    switch (letter) {
        case 'B': return Bishop;
        case 'N': return Knight;
        case 'R': return Rook;
        case 'Q': return Queen;
        default: return NoPiece;
    }
}

// The piece a pawn reaching the last rank becomes: the letter after "=", or
// else the letter right after the target square ("e8Q"); a queen otherwise.
int PromotionPiece(const std::string& text, int toFile, int toRank) {
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) {
        const int piece = PromotionFromLetter(equals + 1 < text.size() ? text[equals + 1] : 0);
        return piece == NoPiece ? Queen : piece;
    }
    const std::size_t square = text.find(SquareName(toFile, toRank));
    if (square != std::string::npos && square + 2 < text.size()) {
        const int piece = PromotionFromLetter(text[square + 2]);
        if (piece != NoPiece) return piece;
    }
    return Queen;
}

}  // namespace

MoveTextResult ApplyMoveText(CGameRecord& game, const std::string& text, int side) {
    if (game.m_curPly < 0 || game.m_curPly >= CGameRecord::kMaxPlies)
        return MoveTextResult::NotPlayed;
    InitMoveTables();
    std::string cleaned = text;
    int fromFile, fromRank, toFile, toRank;
    game.converMove(fromFile, fromRank, toFile, toRank, cleaned, side);
    if (!IsOnBoard(fromFile, fromRank) || !IsOnBoard(toFile, toRank) ||
        game.GetColor(fromFile, fromRank) != side)
        return MoveTextResult::NotPlayed;

    const int color = side;
    const int kind = game.GetPiece(fromFile, fromRank);
    game.SetSquare(fromFile, fromRank, NoColor, NoPiece);
    std::string explanation;
    const bool legal =
        game.TestMove(color, kind, fromFile, fromRank, toFile, toRank, explanation, 1) != 0;
    const bool capture =
        game.GetPiece(toFile, toRank) != NoPiece || (kind == Pawn && toFile != fromFile);
    game.SetSquare(toFile, toRank, color, kind);
    if (kind == Pawn && (toRank == 0 || toRank == 7))
        game.SetSquare(toFile, toRank, color, PromotionPiece(text, toFile, toRank));

    JudgeMove(game, kind, color, capture);
    RecordPly(game, fromFile, fromRank, toFile, toRank,
              FormatPlyLine(game.m_curPly, game.m_sideToMove, text));
    return legal ? MoveTextResult::Played : MoveTextResult::PlayedAgainstRules;
}
