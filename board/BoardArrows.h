#pragma once

#include <QColor>
#include <QRectF>
#include <functional>
#include <vector>

#include "NoteCommands.h"

class QPainter;

// The arrows and marked squares a note draws on a board, the same on the
// screen, in a picture and on paper: marked squares tinted, arrows
// semi-transparent with heads, both scaled with the squares.
namespace BoardArrows {

// A note's colour letter (G, R, B, Y) as drawn; `alpha` 0 to 255.
QColor ColourOf(char letter, int alpha = 255);
// Where a square's cell is on the board being drawn.
using CellOf = std::function<QRectF(Square)>;
// Tints the marked squares.
void DrawMarks(QPainter& painter, const std::vector<NoteMark>& marks, const CellOf& cell);
// Draws the arrows from centre to centre, a head at the square they point at.
void DrawArrows(QPainter& painter, const std::vector<NoteArrow>& arrows, const CellOf& cell);

}  // namespace BoardArrows
