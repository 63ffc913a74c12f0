#include <QPainter>

#include "BoardArrows.h"
#include "CVexilView.h"
#include "MoveListNotes.h"

// Arrows and marked squares drawn with the right button on the position
// shown, kept in its note as the commands other programs write.

NoteParts CVexilView::ShownDrawings() const {
    return ParseNote(NoteOfLine(*m_game, m_game->m_curPly));
}

char CVexilView::DrawingColour(Qt::KeyboardModifiers keys) {
    const bool red = (keys & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    const bool blue = (keys & (Qt::AltModifier | Qt::MetaModifier)) != 0;
    return red && blue ? 'Y' : red ? 'R' : blue ? 'B' : 'G';
}

void CVexilView::OnDraw(Square from, Square to, char colour) {
    if (m_setupActive || !from.IsOnBoard() || !to.IsOnBoard()) return;
    const int line = m_game->m_curPly;
    std::string note = NoteOfLine(*m_game, line);
    const bool mark = from == to;
    const bool changed = mark ? ToggleMark(note, NoteMark{colour, from})
                              : ToggleArrow(note, NoteArrow{colour, from, to});
    if (!changed) return;  // a note that cannot grow keeps what it has
    if (note.empty()) {
        // The last drawing taken away from a note of no words leaves none,
        // as an empty note is never written.
        if (line == 0) {
            m_game->m_hasStartNote = 0;
            m_game->m_startNote.clear();
        } else {
            m_game->m_ply[line - 1].ClearNote();
        }
    } else {
        StoreNote(*m_game, line, note);
    }
    PublishGame(mark ? "Mark " + from.Name() : "Arrow " + from.Name() + to.Name());
    Push();  // the words have less room, or more
    update();
}

void CVexilView::PaintBoard(QPainter& painter) const {
    PaintSquares(painter);
    if (m_setupActive) return;
    const NoteParts drawings = ShownDrawings();
    if (drawings.arrows.empty() && drawings.marks.empty()) return;
    const BoardArrows::CellOf cell = [this](Square at) {
        return QRectF(SquareOrigin(at.file, at.rank), QSizeF(m_square, m_square));
    };
    BoardArrows::DrawMarks(painter, drawings.marks, cell);
    BoardArrows::DrawArrows(painter, drawings.arrows, cell);
}
