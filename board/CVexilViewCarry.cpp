#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <utility>

#include "BoardPictures.h"
#include "CVexilView.h"
#include "MoveEntry.h"
#include "MoveListNotes.h"
#include "MoveTextApply.h"
#include "UserPrompts.h"

// A piece carried with the mouse, or named in a typed move, and what its
// drop does to the game and the move list.

namespace {

const char kGameOver[] = "The game is over. Please select New from the File menu.";

}  // namespace

void CVexilView::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    m_drawFrom = Square();
    if (event->button() == Qt::LeftButton) {
        OnBoardPress(point.x(), point.y());
        return;
    }
    // Another button ends a carry; the right one, when nothing was carried,
    // begins a drawing (setup mode keeps it for its dialog).
    const bool carrying = IsCarrying();
    CancelCarry();
    if (event->button() == Qt::RightButton && !carrying && !m_setupActive)
        SquareFromPoint(point.x(), point.y(), m_drawFrom.file, m_drawFrom.rank);
}

void CVexilView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnBoardRelease(point.x(), point.y());
    } else if (event->button() == Qt::RightButton && m_drawFrom.IsOnBoard()) {
        Square to;
        SquareFromPoint(point.x(), point.y(), to.file, to.rank);
        const Square from = std::exchange(m_drawFrom, Square());
        OnDraw(from, to, DrawingColour(event->modifiers()));
    }
}

void CVexilView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDblClk();
}

void CVexilView::OnLButtonDblClk() {
    // The press that ends a double click carries nothing, so its release
    // makes no move.
    CancelCarry();
}

void CVexilView::hideEvent(QHideEvent* event) {
    CancelCarry();
    QWidget::hideEvent(event);
}

bool CVexilView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_moveList && event->type() == QEvent::KeyPress && !IsCarrying() &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
        OnMoveListKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    bool interrupted = false;
    switch (event->type()) {
        case QEvent::Show: {
            // A dialog, message box or menu opening takes the mouse: the
            // release would never reach the board.
            auto* widget = qobject_cast<QWidget*>(watched);
            const Qt::WindowType type = widget != nullptr ? widget->windowType() : Qt::Widget;
            interrupted = widget != nullptr && widget->isWindow() && widget != window() &&
                          (type == Qt::Dialog || type == Qt::Popup || type == Qt::Sheet);
            break;
        }
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            interrupted = watched == window();
            break;
        case QEvent::KeyPress:
            interrupted = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
            break;
        default:
            break;
    }
    if (interrupted) CancelCarry();
    return false;
}

void CVexilView::OnBoardPress(int x, int y) {
    CancelCarry();
    if (m_setupActive && PutPickedPiece(x, y)) return;
    if (m_game->m_status != 'P') {
        Prompts().Tell(QString::fromLatin1(kGameOver));
        return;
    }
    int file, rank;
    SquareFromPoint(x, y, file, rank);
    m_dragFromFile = file;
    m_dragFromRank = rank;
    m_dragPiece = m_game->GetPiece(file, rank);
    m_dragColor = m_game->GetColor(file, rank);
    if (m_dragColor == -1) {
        m_dragColor = 0;
        m_dragPiece = kNothingCarried;
        ShowArrow();
        return;
    }
    QCursor::setPos(mapToGlobal(SquareCentre(file, rank)));
    m_game->SetSquare(file, rank, NoColor, NoPiece);
    update();
    setCursor(Pictures().Pointer(m_dragColor, m_dragPiece));
    qApp->installEventFilter(this);
}

void CVexilView::ShowArrow() {
    setCursor(Qt::ArrowCursor);
}

void CVexilView::EndCarry() {
    qApp->removeEventFilter(this);
    m_dragColor = 0;
    m_dragPiece = kNothingCarried;
    ShowArrow();
}

void CVexilView::CancelCarry() {
    if (IsCarrying()) {
        m_game->SetSquare(m_dragFromFile, m_dragFromRank, m_dragColor, m_dragPiece);
        EndCarry();
        update();
    }
    if (m_catchUpPending && !m_setupActive) CatchUp();
}

void CVexilView::OnBoardRelease(int x, int y) {
    const int kind = m_dragPiece;
    const int color = m_dragColor;
    EndCarry();
    if (kind == kNothingCarried) return;

    PieceDrop drop;
    drop.kind = kind;
    drop.color = color;
    drop.from = {m_dragFromFile, m_dragFromRank};
    SquareFromPoint(x, y, drop.to.file, drop.to.rank);
    if (m_catchUpPending && !m_setupActive) {
        // Another window published during the carry: the move is played on
        // the caught-up game, when the piece still stands there.
        m_game->SetSquare(drop.from.file, drop.from.rank, color, kind);
        CatchUp();
        if (m_game->GetPiece(drop.from.file, drop.from.rank) != kind ||
            m_game->GetColor(drop.from.file, drop.from.rank) != color)
            return;
        m_game->SetSquare(drop.from.file, drop.from.rank, NoColor, NoPiece);
    }
    PlayLiftedPiece(drop, [] { return Prompts().AskPromotion(); });
}

bool CVexilView::PlayLiftedPiece(const PieceDrop& drop, const std::function<int()>& promotion) {
    if (m_correcting != 0) return PlayCorrection(drop, promotion);
    if (!m_game->m_setupMode && m_game->m_curPly < m_game->m_plyCount)
        return OfferBranch(drop, promotion);
    if (const VariationRefusal full = VariationRoomRefusal(WholeGame(), ShownLine().size());
        !m_setupActive && full != VariationRefusal::None) {
        Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(full)));
        m_game->SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
        AfterDrop(DropOutcome());
        return false;
    }
    const DropOutcome outcome =
        PlayDroppedPiece(*m_game, drop, m_setupActive != 0, TodayText(), promotion);
    if (outcome.why != DropRefusal::None) Prompts().Tell(QString::fromStdString(outcome.refusal));
    AfterDrop(outcome);
    return outcome.recorded;
}

void CVexilView::AfterDrop(const DropOutcome& outcome) {
    // A recorded move shows its new ply's empty note; after any other release
    // the box shows the note of the shown position, so typing continues it.
    // Neither is an edit, so no note changes.
    const int line = CurrentLine();
    if (outcome.recorded)
        m_annotation.clear();
    else if (line >= 0)
        m_annotation = NoteText(NoteWordsOfLine(*m_game, line));
    else
        m_annotation = m_annotationBox->toPlainText();
    Push();
    Refresh();
    if (!outcome.recorded) return;

    for (const std::string& announcement : outcome.announcements)
        Prompts().Tell(QString::fromStdString(announcement));
    PublishGame("Move " + MoveWithoutNumber(m_game->m_ply[m_game->m_plyCount - 1]));
    ResyncMoveList(outcome.firstDroppedPly, outcome.droppedCount, outcome.line);
    SelectLine(m_game->m_plyCount);
    // Typing right after a move annotates it.
    m_annotationBox->setFocus();
}

void CVexilView::OnEnterMove() {
    if (m_setupActive) return;
    Prompts().EnterMove([this](const QString& text) { return PlayTypedMove(text); });
}

bool CVexilView::PlayTypedMove(const QString& text) {
    if (m_game->m_status != 'P') {
        Prompts().Tell(QString::fromLatin1(kGameOver));
        return true;
    }
    TypedMove move;
    if (!ReadTypedMove(*m_game, text.toStdString(), move)) {
        Prompts().Tell(QString::fromStdString(move.refusal));
        return false;
    }
    // Lifted as a press would, so that the rest is a drop's.
    PieceDrop drop;
    drop.kind = m_game->GetPiece(move.move.from.file, move.move.from.rank);
    drop.color = m_game->GetColor(move.move.from.file, move.move.from.rank);
    drop.from = move.move.from;
    drop.to = move.move.to;
    m_game->SetSquare(drop.from.file, drop.from.rank, NoColor, NoPiece);
    const int named = move.move.promotion;
    return PlayLiftedPiece(drop,
                           [named] { return named != NoPiece ? named : Prompts().AskPromotion(); });
}
