#include "MoveText.h"

#include <cstdlib>
#include <vector>

std::string DisambiguationChar(CGameRecord& game, int kind, int color, const Move& move) {
    const int fromFile = move.from.file, fromRank = move.from.rank;
    const int toFile = move.to.file, toRank = move.to.rank;
    // A king has a rival only in a set-up position with several; the text
    // must still name the one that moved, or it reads back as no move.
    if (kind == Pawn) return {};
    // Reach is judged in the position before the move, where the moved piece
    // still stood on its origin and could block another one's way.
    const int savedPiece = game.GetPiece(fromFile, fromRank);
    const int savedColor = game.GetColor(fromFile, fromRank);
    game.SetSquare(fromFile, fromRank, color, kind);
    std::vector<std::pair<int, int>> rivals;
    for (int f = 0; f < 8; ++f)
        for (int r = 0; r < 8; ++r)
            if (!(f == toFile && r == toRank) && !(f == fromFile && r == fromRank) &&
                game.GetPiece(f, r) == kind && game.GetColor(f, r) == color &&
                game.CanReach(kind, color, f, r, toFile, toRank))
                rivals.emplace_back(f, r);
    game.SetSquare(fromFile, fromRank, savedColor, savedPiece);
    if (rivals.empty()) return {};

    bool sameFile = false;
    bool sameRank = false;
    for (const auto& rival : rivals) {
        sameFile = sameFile || rival.first == fromFile;
        sameRank = sameRank || rival.second == fromRank;
    }
    const std::string file(1, static_cast<char>('a' + fromFile));
    const std::string rank(1, static_cast<char>('1' + fromRank));
    if (!sameFile) return file;
    if (!sameRank) return rank;
    return file + rank;
}

MoveFacts FactsBeforeMove(const CGameRecord& game, int kind, int color, const Move& move) {
    MoveFacts facts;
    facts.kind = kind;
    facts.color = color;
    facts.move = move;
    const bool targetEmpty = game.GetPiece(move.to.file, move.to.rank) == NoPiece;
    facts.enPassant = kind == Pawn && move.to.file != move.from.file && targetEmpty;
    facts.capture = !targetEmpty || facts.enPassant;
    return facts;
}

std::string BuildMoveText(CGameRecord& game, const MoveFacts& facts) {
    std::string text;
    const Move& move = facts.move;
    const bool castling = facts.kind == King && std::abs(move.from.file - move.to.file) == 2;
    if (castling) {
        text = move.to.file < move.from.file ? "O-O-O" : "O-O";
    } else {
        if (facts.kind == Pawn) {
            if (facts.capture) text += static_cast<char>('a' + move.from.file);
        } else {
            text += PieceLetter(facts.kind);
        }
        text += DisambiguationChar(game, facts.kind, facts.color, move);
        if (facts.capture) text += 'x';
        text += move.to.Name();
        if (facts.enPassant) text += " e.p.";
    }
    if (move.promotion >= Knight && move.promotion <= Queen) {
        text += '=';
        text += PieceLetter(move.promotion);
    }
    switch (game.GetStatus()) {
        case 'D':
        case 'S': text += '='; break;
        case 'M': text += '#'; break;
        default:
            if (game.IsSquareAttacked(OtherColor(facts.color), facts.king.file, facts.king.rank))
                text += '+';
    }
    return text;
}
