#include "MoveTextApply.h"

#include <cctype>

#include "MoveRecording.h"
#include "MoveText.h"
#include "PlyLine.h"

namespace {

int PromotionFromLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'B': return Bishop;
        case 'N': return Knight;
        case 'R': return Rook;
        case 'Q': return Queen;
        default: return NoPiece;
    }
}

// The piece a pawn reaching the last rank becomes: named by the letter after
// "=", or else by a letter right after the target square ("e8Q"), in either
// case; NoPiece when the text names none. `wrong` when the letter is no piece
// a pawn can become ("e8=K"): the text is then no move.
int NamedPromotion(const std::string& text, int toFile, int toRank, bool& wrong) {
    char letter = 0;
    const std::size_t equals = text.find('=');
    const std::size_t square = text.find(SquareName(toFile, toRank));
    if (equals != std::string::npos)
        letter = equals + 1 < text.size() ? text[equals + 1] : 0;
    else if (square != std::string::npos && square + 2 < text.size())
        letter = text[square + 2];
    // No letter, or "=" alone as the mark of a drawn end, names nothing.
    const bool isLetter = std::isalpha(static_cast<unsigned char>(letter)) != 0;
    const int named = isLetter ? PromotionFromLetter(letter) : NoPiece;
    wrong = isLetter && named == NoPiece;
    return named;
}

// The squares of a move token for `side`; false when no piece of the side
// stands where the token's reading leads.
bool LocateMoveText(CGameRecord& game, const std::string& text, int side, int& fromFile,
                    int& fromRank, int& toFile, int& toRank) {
    std::string cleaned = text;
    game.converMove(fromFile, fromRank, toFile, toRank, cleaned, side);
    return IsOnBoard(fromFile, fromRank) && IsOnBoard(toFile, toRank) &&
           game.GetColor(fromFile, fromRank) == side;
}

// The piece a short algebraic token moves, by its first letter.
int NamedPiece(char first) {
    switch (first) {
        case 'N':
            return Knight;
        case 'B':
            return Bishop;
        case 'R':
            return Rook;
        case 'Q':
            return Queen;
        case 'K':
        case 'O':
            return King;
        default:
            return first >= 'a' && first <= 'h' ? Pawn : NoPiece;
    }
}

// "g1f3", "g1-f3", "e7e8n", "e7xe8=Q": the two squares and any promotion.
bool ReadSquares(const std::string& text, TypedMove& move) {
    auto isFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto isRank = [](char c) { return c >= '1' && c <= '8'; };
    if (text.size() < 4 || !isFile(text[0]) || !isRank(text[1])) return false;
    std::size_t at = 2;
    if (text[at] == '-' || text[at] == 'x') ++at;
    if (at + 1 >= text.size() || !isFile(text[at]) || !isRank(text[at + 1])) return false;
    move.fromFile = text[0] - 'a';
    move.fromRank = text[1] - '1';
    move.toFile = text[at] - 'a';
    move.toRank = text[at + 1] - '1';
    at += 2;
    if (at < text.size() && text[at] == '=') ++at;
    if (at < text.size()) {
        move.promotion = PromotionFromLetter(
            static_cast<char>(std::toupper(static_cast<unsigned char>(text[at]))));
        if (move.promotion == NoPiece) return false;
        ++at;
    }
    while (at < text.size() && (text[at] == '+' || text[at] == '#')) ++at;
    return at == text.size();
}

}  // namespace

MoveTextResult ApplyMoveText(CGameRecord& game, const std::string& text, int side) {
    if (game.m_curPly < 0 || game.m_curPly >= CGameRecord::kMaxPlies)
        return MoveTextResult::NotPlayed;
    int fromFile, fromRank, toFile, toRank;
    if (!LocateMoveText(game, text, side, fromFile, fromRank, toFile, toRank))
        return MoveTextResult::NotPlayed;

    const int color = side;
    const int kind = game.GetPiece(fromFile, fromRank);
    const bool promotes = kind == Pawn && (toRank == 0 || toRank == 7);
    bool wrongPromotion = false;
    const int named = promotes ? NamedPromotion(text, toFile, toRank, wrongPromotion) : NoPiece;
    if (wrongPromotion) return MoveTextResult::NotPlayed;
    game.SetSquare(fromFile, fromRank, NoColor, NoPiece);
    std::string explanation;
    const bool legal =
        game.TestMove(color, kind, fromFile, fromRank, toFile, toRank, explanation, 1) != 0;
    MoveFacts facts = FactsBeforeMove(game, kind, color, fromFile, fromRank, toFile, toRank);
    game.SetSquare(toFile, toRank, color, kind);
    if (promotes) {
        facts.promotion = named == NoPiece ? Queen : named;
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

bool ReadTypedMove(CGameRecord& game, const std::string& typed, TypedMove& move) {
    move = TypedMove();
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const std::string text = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    if (ReadSquares(text, move)) return game.GetPiece(move.fromFile, move.fromRank) != NoPiece;

    const int side = game.m_sideToMove;
    move = TypedMove();
    if (!LocateMoveText(game, text, side, move.fromFile, move.fromRank, move.toFile, move.toRank) ||
        game.GetPiece(move.fromFile, move.fromRank) != NamedPiece(text[0]))
        return false;
    bool wrongPromotion = false;
    move.promotion = NamedPromotion(text, move.toFile, move.toRank, wrongPromotion);
    return !wrongPromotion;
}
