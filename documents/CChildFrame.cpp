#include "CChildFrame.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMdiArea>
#include <QScrollArea>
#include <QVBoxLayout>

#include "CVexilDoc.h"
#include "CVexilView.h"
#include "FrameCloseGuard.h"
#include "Resources.h"
#include "SetupPalette.h"

CChildFrame::CChildFrame(CVexilDoc* document, FrameCloseGuard* guard)
    : m_document(document), m_guard(guard) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(PictureIcon(QStringLiteral("document-icon"), {16}));
    auto* scroller = new QScrollArea(this);
    // The view, and setup's palette below it while setup is on: the view
    // keeps its own layout in the room left to it.
    auto* body = new QWidget(scroller);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_view = new CVexilView(document, body);
    column->addWidget(m_view, 1);
    column->addWidget(m_view->Palette());
    m_view->Palette()->installEventFilter(this);
    scroller->setWidget(body);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    // A press on the board leaves the keyboard focus where it was, in the
    // note box as often as not.
    scroller->setFocusPolicy(Qt::NoFocus);
    setWidget(scroller);
    resize(m_view->minimumSize().width(), kInitialHeight);
}

QSize CChildFrame::FormFrameSize() {
    // The title bar and borders are what the window has beyond its widget,
    // known once it is in the main window.
    layout()->activate();
    const QSize decoration = size() - widget()->size();
    const QWidget* palette = m_view->Palette();
    const int below = palette->isVisible() ? palette->sizeHint().height() : 0;
    return m_view->FormSizeFor(CVexilView::PreferredSquare()) + decoration + QSize(0, below);
}

void CChildFrame::ShowWholeForm() {
    if (isMaximized() || isMinimized()) return;
    resize(size().expandedTo(FormFrameSize()));
}

void CChildFrame::FitWholeForm() {
    if (isMaximized() || isMinimized()) return;
    resize(FormFrameSize());
}

void CChildFrame::KeepInArea() {
    if (isMaximized() || isMinimized() || mdiArea() == nullptr) return;
    const QSize area = mdiArea()->viewport()->size();
    const int x = qMax(0, qMin(pos().x(), area.width() - width()));
    const int y = qMax(0, qMin(pos().y(), area.height() - height()));
    move(x, y);
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->Palette() && !isMaximized() && !isMinimized()) {
        if (event->type() == QEvent::Show && m_paletteHeight == 0) {
            m_paletteHeight = m_view->Palette()->sizeHint().height();
            resize(width(), height() + m_paletteHeight);
            KeepInArea();
        } else if (event->type() == QEvent::Hide && m_paletteHeight != 0) {
            resize(width(), height() - m_paletteHeight);
            m_paletteHeight = 0;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_guard->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) m_guard->FrameClosed(this);
}
