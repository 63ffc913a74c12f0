#include "BoardGeometry.h"

#include <algorithm>
#include <cmath>

namespace board {

// Integer division truncates toward zero, as the board's bands expect; every
// length is worked in integers scaled by 32 so the normal size gives exactly
// its pixels.
Square SquareAt(QPoint point, int square, bool flipped) {
    const int file0 = (32 * point.x() + 11 * square) / (32 * square) - 1;
    const int rank0 = (-31 * square - 32 * point.y()) / (32 * square) + 8;
    return flipped ? Square(7 - file0, 7 - rank0) : Square(file0, rank0);
}

QPoint CentreOf(Square at, int square, bool flipped) {
    const int file0 = flipped ? 7 - at.file : at.file;
    const int rank0 = flipped ? 7 - at.rank : at.rank;
    return QPoint(square * file0 + 36 * square / 32, 240 * square / 32 - square * rank0);
}

QPoint OriginOf(Square at, int square, bool flipped) {
    return flipped
               ? QPoint(244 * square / 32 - square * at.file, square * at.rank)
               : QPoint(20 * square / 32 + square * at.file, 224 * square / 32 - square * at.rank);
}

namespace {
int Largest(int width, int height) {
    return std::max(kSmallestSquare, std::min(width, height) / 9);
}
}  // namespace

Fit FitBoard(QSize room, QSize text, int besideWidth, double share) {
    share = std::clamp(share, 0.0, 1.0);
    // Beside: the text keeps its base width to the right of the board's room.
    const int besideRoom = room.width() - (besideWidth - Extent(kNormalSquare));
    Fit beside{Largest(std::min(besideRoom, static_cast<int>(std::floor(share * room.width()))),
                       room.height()),
               false};
    beside.square = std::min(beside.square, Largest(besideRoom, room.height()));
    // Above: the text keeps its base height below the board.
    const int aboveRoom = room.height() - text.height();
    Fit above{Largest(room.width(),
                      std::min(aboveRoom, static_cast<int>(std::floor(share * room.height())))),
              true};
    above.square = std::min(above.square, Largest(room.width(), aboveRoom));
    // Much taller than wide: above gives the larger board.
    return above.square > beside.square && room.width() >= text.width() ? above : beside;
}

QSize RoomFor(int square, QSize text, int besideWidth) {
    return QSize(besideWidth + Extent(square) - Extent(kNormalSquare),
                 std::max(text.height(), Extent(square)));
}

}  // namespace board
