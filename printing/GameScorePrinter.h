#pragma once

#include <QString>

class CGameRecord;
class QPagedPaintDevice;

// The score of a whole game laid out as a book prints one: the players, event
// and date in larger type, the main line's moves in a serif book face, notes
// as paragraphs between them, variations smaller and indented by their
// depth, and diagrams that a page break never splits.
namespace GameScorePrinter {

// Prints on `device` (a printer or a PDF writer), from its first page.
// False when it cannot be painted on.
bool Print(const CGameRecord& game, bool figurines, QPagedPaintDevice& device);
// Writes the score as a PDF of A4 pages to `path`; false when it cannot.
bool WritePdf(const CGameRecord& game, bool figurines, const QString& path, const QString& title);

}  // namespace GameScorePrinter
