#include "CChildFrame.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMdiArea>
#include <QScrollArea>

#include "CVexilDoc.h"
#include "CVexilView.h"
#include "FrameCloseGuard.h"

CChildFrame::CChildFrame(CVexilDoc* document, FrameCloseGuard* guard)
    : m_document(document), m_guard(guard) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/document-icon.svg")));
    auto* scroller = new QScrollArea(this);
    m_view = new CVexilView(document, scroller);
    scroller->setWidget(m_view);
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
    return m_view->FormSizeFor(CVexilView::PreferredSquare()) + decoration;
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

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_guard->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) m_guard->FrameClosed(this);
}
