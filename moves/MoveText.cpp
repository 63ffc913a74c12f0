#include "MoveText.h"

#include <cstdlib>
#include <vector>

std::string DisambiguationChar(CGameRecord& game, int kind, int color, int fromFile,
                               int fromRank, int toFile, int toRank) {
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

MoveFacts FactsBeforeMove(const CGameRecord& game, int kind, int color, int fromFile,
                          int fromRank, int toFile, int toRank) {
    MoveFacts facts;
    facts.kind = kind;
    facts.color = color;
    facts.fromFile = fromFile;
    facts.fromRank = fromRank;
    facts.toFile = toFile;
    facts.toRank = toRank;
    const bool targetEmpty = game.GetPiece(toFile, toRank) == NoPiece;
    facts.enPassant = kind == Pawn && toFile != fromFile && targetEmpty;
    facts.capture = !targetEmpty || facts.enPassant;
    return facts;
}

std::string BuildMoveText(CGameRecord& game, const MoveFacts& move) {
    std::string text;
    const bool castling = move.kind == King && std::abs(move.fromFile - move.toFile) == 2;
    if (castling) {
        text = move.toFile < move.fromFile ? "O-O-O" : "O-O";
    } else {
        if (move.kind == Pawn) {
            if (move.capture) text += static_cast<char>('a' + move.fromFile);
        } else {
            text += PieceLetter(move.kind);
        }
        text += DisambiguationChar(game, move.kind, move.color, move.fromFile, move.fromRank,
                                   move.toFile, move.toRank);
        if (move.capture) text += 'x';
        text += SquareName(move.toFile, move.toRank);
        if (move.enPassant) text += " e.p.";
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
            if (game.IsSquareAttacked(OtherColor(move.color), move.kingFile, move.kingRank))
                text += '+';
    }
    return text;
}
