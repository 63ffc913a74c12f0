#include "MoveTextApply.h"

#include "MoveRecording.h"
#include "MoveTables.h"
#include "MoveText.h"
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
    MoveFacts facts = FactsBeforeMove(game, kind, color, fromFile, fromRank, toFile, toRank);
    game.SetSquare(toFile, toRank, color, kind);
    if (kind == Pawn && (toRank == 0 || toRank == 7)) {
        facts.promotion = PromotionPiece(text, toFile, toRank);
        game.SetSquare(toFile, toRank, color, facts.promotion);
    }

    const GameEndEvents events = JudgeMove(game, kind, color, facts.capture);
    std::string line = FormatPlyLine(game, game.m_curPly, text);
    if (line.size() >= PlyRecord::kTextSize) {
        // Cut to fit, the token could read back as another move (a lost
        // promotion letter, a lost target): the line says the move as the
        // board writes it instead.
        facts.kingFile = events.kingFile;
        facts.kingRank = events.kingRank;
        line = FormatPlyLine(game, game.m_curPly, BuildMoveText(game, facts));
    }
    RecordPly(game, fromFile, fromRank, toFile, toRank, line);
    return legal ? MoveTextResult::Played : MoveTextResult::PlayedAgainstRules;
}
