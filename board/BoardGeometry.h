#pragma once

#include <QPoint>
#include <QSize>

#include "Square.h"

// Where the board stands in a game window and how points map to squares.
// The normal board's formulas (32-pixel squares) scaled by square / 32, for
// any whole-pixel square size and either side at the bottom.
namespace board {

inline constexpr int kNormalSquare = 32;
inline constexpr int kSmallestSquare = 16;  // a board of 8 x 16 pixels
// The room a board of `square` takes in the form's layout: its squares and
// the coordinates beside them.
inline int Extent(int square) {
    return 9 * square;
}

Square SquareAt(QPoint point, int square, bool flipped);
QPoint CentreOf(Square at, int square, bool flipped);
// The upper left corner of the square's picture.
QPoint OriginOf(Square at, int square, bool flipped);

// How a window's room is shared between the board and the text beside it
// (or below it): the largest whole-pixel square that leaves the text its
// base size, within the share of the room the user gave the board (1 for
// all it can take), never below the smallest board.
struct Fit {
    int square = kNormalSquare;
    bool above = false;  // the board above the text, the window being much taller than wide
};
// `text` is the text side's own base size; `besideWidth` the form's base
// width with the normal board beside the text (the text starting where the
// normal board's room ends).
Fit FitBoard(QSize room, QSize text, int besideWidth, double share);

// The room the window needs for a board of `square` beside the text at its
// base size.
QSize RoomFor(int square, QSize text, int besideWidth);

}  // namespace board
