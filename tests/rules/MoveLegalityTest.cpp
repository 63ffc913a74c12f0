// Move legality: every refusal with its exact sentence, and what an accepted
// move does to the board and the rule state.
#include "RulesTestSupport.h"

namespace {

using rt::Game;
using rt::Sq;

struct RefusalRow {
    const char* name;
    const char* fen;
    const char* from;
    const char* to;
    const char* sentence;
};

TEST(MoveLegality, EveryRefusalSaysWhyAndChangesNothing) {
    const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const RefusalRow rows[] = {
        {"White piece on Black's turn", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", "e2", "e4",
         "It is not White's turn. Please move a Black piece."},
        {"Black piece on White's turn, even off the board", start, "e7", "e0",
         "It is not Black's turn. Please move a White piece."},
        {"off the board", start, "b1", "i3", "You cannot move pieces off the board!"},
        {"put back on its own square", start, "g1", "g1",
         "You should really move a piece once you've 'touched' it (if it has any legal move)."},
        {"onto an own piece", start, "g1", "e2", "You cannot capture your own piece!"},
        {"pawn sideways", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", "e4", "f4",
         "The pawn must move straight forward (or diagonally forward when capturing)."},
        {"White pawn backwards", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", "e4", "d3",
         "The pawn can not move towards the player who owns it."},
        {"Black pawn backwards", "4k3/8/8/4p3/8/8/8/4K3 b - - 0 1", "e5", "e6",
         "The pawn can not move towards the player who owns it."},
        {"pawn three squares", start, "e2", "e5",
         "The pawn can only move one square (or two on its first move)"},
        {"two squares after the first move", "4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3", "e5",
         "The Pawn can only move 2 squares on its very first move."},
        {"two squares over a piece", "4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "e2", "e4",
         "The pawn cannot jump over a piece."},
        {"straight onto a piece", "4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", "e2", "e4",
         "The pawn can only capture diagonally: to move straight ahead, the destination square "
         "must be empty."},
        {"two ranks and a file onto a piece", "4k3/8/8/8/5n2/8/4P3/4K3 w - - 0 1", "e2", "f4",
         "The pawn can only move one square diagonally (and then only when capturing)."},
        {"diagonally onto an empty square", "4k3/8/8/8/4P3/8/8/4K3 w - - 0 1", "e4", "d5",
         "The pawn can only move diagonally when capturing."},
        {"en passant only beside the pawn that advanced", "4k3/8/8/3pPp2/8/8/8/4K3 w - d6 0 1",
         "e5", "f6", "The pawn can only move diagonally when capturing."},
        {"en passant only right after the advance", "4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "e5", "d6",
         "The pawn can only move diagonally when capturing."},
        {"knight straight", start, "g1", "g3",
         "The Knight moves one square in a straight line and then one square diagonally."},
        {"bishop along a file", "4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", "c1", "c3",
         "The Bishop must move along a straight line on its diagonal."},
        {"bishop over a pawn", start, "c1", "e3", "The Bishop cannot jump over pieces."},
        {"rook diagonally", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1", "b2",
         "The Rook must move along a straight line along its file or rank!"},
        {"rook over a piece on its file", "4k3/8/8/p7/8/8/8/R3K3 w - - 0 1", "a1", "a8",
         "The Rook cannot jump over pieces."},
        {"rook over a piece on its rank", "4k3/8/8/8/8/8/8/R1n1K3 w - - 0 1", "a1", "d1",
         "The Rook cannot jump over pieces."},
        {"queen like a knight", "4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "d1", "e3",
         "The Queen must move along a straight line on its file, rank, or diagonal."},
        {"queen over a piece", start, "d1", "d8", "The Queen cannot jump over pieces."},
        {"king two squares up", castle, "e1", "e3", "The King can only move one square at a time!"},
        {"king two squares sideways off its home square", "4k3/8/8/8/8/8/4K3/8 w - - 0 1", "e2",
         "g2", "The King can only move one square at a time!"},
        {"castling without the right", "r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1", "g1",
         "Castling is not possible after the King or the Rook have moved in the game."},
        {"castling with the right but no rook in the corner", "4k3/8/8/8/8/8/8/4K3 w KQ - 0 1",
         "e1", "c1", "Castling is not possible after the King or the Rook have moved in the game."},
        {"castling toward an enemy rook in the corner", "4k3/8/8/8/8/8/8/r3K3 w Q - 0 1", "e1",
         "c1", "Castling is not possible after the King or the Rook have moved in the game."},
        {"castling past a knight", "r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1", "c1",
         "Castling is not possible when any squares are occupied between the King and the Rook."},
        {"castling through check", "r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1", "e1", "g1",
         "The King cannot castle while in-check, nor can it castle through check, or into check."},
        {"castling out of check", "r3k2r/8/8/8/8/5n2/8/R3K2R w KQkq - 0 1", "e1", "c1",
         "The King cannot castle while in-check, nor can it castle through check, or into check."},
        {"castling into check", "r3k2r/8/8/8/8/8/8/R3K1R1 b kq - 0 1", "e8", "g8",
         "The King cannot castle while in-check, nor can it castle through check, or into check."},
        {"pinned bishop", "4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2", "d3",
         "You cannot move into (or fail to move out of) check."},
        {"king beside the enemy king", "8/8/8/8/8/4k3/8/4K3 w - - 0 1", "e1", "e2",
         "You cannot move into (or fail to move out of) check."},
        {"two-square advance that ignores check keeps en passant",
         "4k3/8/8/3p4/8/8/1P6/4K2r w - d6 0 1", "b2", "b4",
         "You cannot move into (or fail to move out of) check."},
        {"king step into check keeps the rights", "4k3/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", "e1", "d1",
         "You cannot move into (or fail to move out of) check."},
        {"rook move that ignores check keeps the right", "4k3/8/8/8/8/8/8/R3K2r w Q - 0 1", "a1",
         "a5", "You cannot move into (or fail to move out of) check."},
        {"en passant that uncovers the king puts the pawn back", "8/8/8/KPp4r/8/8/8/6k1 w - c6 0 1",
         "b5", "c6", "You cannot move into (or fail to move out of) check."},
    };
    for (const RefusalRow& row : rows) {
        auto game = Game(row.fen);
        const rt::Square from = Sq(row.from), to = Sq(row.to);
        const int piece = game->GetPiece(from.file, from.rank);
        const int color = game->GetColor(from.file, from.rank);
        game->SetSquare(from.file, from.rank, NoColor, NoPiece);
        const rt::Position lifted(*game);
        std::string message;
        EXPECT_EQ(game->TestMove(color, piece, from.file, from.rank, to.file, to.rank, message, 1),
                  0)
            << row.name;
        EXPECT_EQ(message, row.sentence) << row.name;
        EXPECT_TRUE(rt::Position(*game) == lifted) << row.name;
    }
}

// The four castling rights as FEN letters, straight from the flags.
std::string Rights(const CGameRecord& g) {
    std::string text;
    if (g.m_canCastleWK) text += 'K';
    if (g.m_canCastleWQ) text += 'Q';
    if (g.m_canCastleBK) text += 'k';
    if (g.m_canCastleBQ) text += 'q';
    return text.empty() ? "-" : text;
}

std::string Placement(const CGameRecord& g) {
    const std::string fen = g.MakeFullFen();
    return fen.substr(0, fen.find(' '));
}

TEST(MoveLegality, AcceptedMovesUpdateBoardAndRights) {
    struct Row {
        const char* name;
        const char* fen;
        const char* from;
        const char* to;
        const char* placement;  // after the piece is put down
        const char* rights;
        const char* enPassant;  // the square of the pawn that advanced, or "-"
    };
    const char* const castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const Row rows[] = {
        {"two-square advance marks the pawn", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2", "e4",
         "4k3/8/8/8/4P3/8/8/4K3", "-", "e4"},
        {"Black two-square advance marks the pawn", "4k3/3p4/8/8/8/8/8/4K3 b - - 0 1", "d7", "d5",
         "4k3/8/8/3p4/8/8/8/4K3", "-", "d5"},
        {"any other move clears en passant", "4k3/8/8/3pP3/8/8/7P/4K3 w - d6 0 1", "h2", "h3",
         "4k3/8/8/3pP3/8/7P/8/4K3", "-", "-"},
        {"en passant takes the pawn beside", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6",
         "4k3/8/3P4/8/8/8/8/4K3", "-", "-"},
        {"Black en passant", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4", "d3",
         "4k3/8/8/8/8/3p4/8/4K3", "-", "-"},
        {"king-side castling brings the rook", castle, "e1", "g1", "r3k2r/8/8/8/8/8/8/R4RK1", "kq",
         "-"},
        {"queen-side castling with b1 attacked", "1r2k2r/8/8/8/8/8/8/R3K2R w KQk - 0 1", "e1", "c1",
         "1r2k2r/8/8/8/8/8/8/2KR3R", "k", "-"},
        {"Black castles queen side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8", "c8",
         "2kr3r/8/8/8/8/8/8/R3K2R", "KQ", "-"},
        {"a king step gives up both rights", castle, "e1", "f1", "r3k2r/8/8/8/8/8/8/R4K1R", "kq",
         "-"},
        {"a rook leaving its corner gives up that side", castle, "a1", "a4",
         "r3k2r/8/8/8/R7/8/8/4K2R", "Kkq", "-"},
        {"a rook away from its corner leaves the rights", "r3k2r/8/8/8/R7/8/8/R3K2R w KQkq - 0 1",
         "a4", "b4", "r3k2r/8/8/8/1R6/8/8/R3K2R", "KQkq", "-"},
        {"a rook on the enemy's corner leaves the rights", "R3k2r/8/8/8/8/8/8/4K2R w Kk - 0 1",
         "a8", "b8", "1R2k2r/8/8/8/8/8/8/4K2R", "Kk", "-"},
        {"capturing a rook in its corner takes its right", "r3k2r/8/8/8/8/8/6B1/R3K2R w KQkq - 0 1",
         "g2", "a8", "B3k2r/8/8/8/8/8/8/R3K2R", "KQk", "-"},
        {"rook takes rook, corner to corner", castle, "a1", "a8", "R3k2r/8/8/8/8/8/8/4K2R", "Kk",
         "-"},
        {"a side without a king is never in check", "4k3/8/8/8/8/8/8/R6r w - - 0 1", "a1", "a2",
         "4k3/8/8/8/8/8/R7/7r", "-", "-"},
    };
    for (const Row& row : rows) {
        auto game = Game(row.fen);
        EXPECT_EQ(rt::Drop(*game, row.from, row.to), "") << row.name;
        EXPECT_EQ(Placement(*game), row.placement) << row.name;
        EXPECT_EQ(Rights(*game), row.rights) << row.name;
        const std::string ep =
            game->m_epFile < 0 ? "-" : SquareName(game->m_epFile, game->m_epRank);
        EXPECT_EQ(ep, row.enPassant) << row.name;
    }
}

TEST(MoveLegality, WithoutCommitOnlyTheBoardEffectsHappen) {
    auto game = Game("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
    std::string message = "a sentence from an earlier refusal";
    game->SetSquare(4, 0, NoColor, NoPiece);
    EXPECT_EQ(game->TestMove(White, King, 4, 0, 6, 0, message, 0), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(Rights(*game), "KQkq");
    EXPECT_EQ(game->m_epFile, 3);
    EXPECT_EQ(game->GetPiece(5, 0), Rook);  // the rook has moved all the same
    EXPECT_EQ(game->GetPiece(7, 0), NoPiece);
}

}  // namespace
