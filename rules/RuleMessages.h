#pragma once

// The sentences with which a move is refused. They teach the rules, so they
// are the program's own voice and stand here once, word for word.
namespace msg {
inline constexpr const char* kNotWhitesTurn = "It is not White's turn. Please move a Black piece.";
inline constexpr const char* kNotBlacksTurn = "It is not Black's turn. Please move a White piece.";
inline constexpr const char* kOffBoard = "You cannot move pieces off the board!";
inline constexpr const char* kTouchedPiece =
    "You should really move a piece once you've 'touched' it (if it has any legal move).";
inline constexpr const char* kOwnPiece = "You cannot capture your own piece!";
inline constexpr const char* kPawnSideways =
    "The pawn must move straight forward (or diagonally forward when capturing).";
inline constexpr const char* kPawnBackwards =
    "The pawn can not move towards the player who owns it.";
inline constexpr const char* kPawnTooFar =
    "The pawn can only move one square (or two on its first move)";
inline constexpr const char* kPawnTwoOnlyFirst =
    "The Pawn can only move 2 squares on its very first move.";
inline constexpr const char* kPawnJump = "The pawn cannot jump over a piece.";
inline constexpr const char* kPawnBlocked =
    "The pawn can only capture diagonally: to move straight ahead, the destination square "
    "must be empty.";
inline constexpr const char* kPawnDiagonalOne =
    "The pawn can only move one square diagonally (and then only when capturing).";
inline constexpr const char* kPawnDiagonalCapture =
    "The pawn can only move diagonally when capturing.";
inline constexpr const char* kKnightMove =
    "The Knight moves one square in a straight line and then one square diagonally.";
inline constexpr const char* kBishopLine =
    "The Bishop must move along a straight line on its diagonal.";
inline constexpr const char* kBishopJump = "The Bishop cannot jump over pieces.";
inline constexpr const char* kRookLine =
    "The Rook must move along a straight line along its file or rank!";
inline constexpr const char* kRookJump = "The Rook cannot jump over pieces.";
inline constexpr const char* kQueenLine =
    "The Queen must move along a straight line on its file, rank, or diagonal.";
inline constexpr const char* kQueenJump = "The Queen cannot jump over pieces.";
inline constexpr const char* kKingOneSquare = "The King can only move one square at a time!";
inline constexpr const char* kCastleMoved =
    "Castling is not possible after the King or the Rook have moved in the game.";
inline constexpr const char* kCastleBlocked =
    "Castling is not possible when any squares are occupied between the King and the Rook.";
inline constexpr const char* kCastleCheck =
    "The King cannot castle while in-check, nor can it castle through check, or into check.";
inline constexpr const char* kIntoCheck = "You cannot move into (or fail to move out of) check.";
}  // namespace msg
