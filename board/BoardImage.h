#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

#include "NoteCommands.h"

class CGameRecord;
class QPainter;

// A board of any position drawn at any size from the pieces' vector
// sources, so it stays sharp on paper, in a PDF or an SVG: the light and dark
// squares of the board view, framed, with the file letters and rank digits
// beside them when asked, and the arrows and marked squares of a note.
namespace BoardImage {

// Draws the board as large as fits, centred, in `target`; a board from the
// squares of a game record (piece and colour by file and rank), its marked
// squares tinted under the pieces and its arrows over them.
void Draw(QPainter& painter, const QRectF& target, const int piece[8][8], const int color[8][8],
          bool flipped, bool coordinates, const std::vector<NoteArrow>& arrows = {},
          const std::vector<NoteMark>& marks = {});
// The position `game` shows, with what the note of its move draws.
void Draw(QPainter& painter, const QRectF& target, const CGameRecord& game, bool flipped,
          bool coordinates);
// The position `game` shows as a square picture `pixels` wide, on white.
QImage Picture(const CGameRecord& game, int pixels, bool flipped, bool coordinates);
// Writes the picture to `path`: SVG when its name ends in ".svg", else PNG.
// False when it cannot be written.
bool Write(const QString& path, const CGameRecord& game, int pixels, bool flipped,
           bool coordinates);

}  // namespace BoardImage
