#include "CChildFrame.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QScrollArea>

#include "CVexilView.h"
#include "DocumentManager.h"

CChildFrame::CChildFrame(CVexilDoc* document, DocumentManager* manager)
    : m_document(document), m_manager(manager) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/document-icon.svg")));
    auto* scroller = new QScrollArea(this);
    m_view = new CVexilView(document, scroller);
    scroller->setWidget(m_view);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    setWidget(scroller);
    const QSize form = m_view->minimumSize();
    resize(form.width() + 2 * frameGeometry().width() / 100 + 24, kInitialHeight);
}

QSize CChildFrame::FormFrameSize() {
    // The title bar and borders are what the window has beyond its widget.
    layout()->activate();
    const QSize decoration = size() - widget()->size();
    return m_view->minimumSize() + decoration;
}

void CChildFrame::ShowWholeForm() {
    if (isMaximized() || isMinimized()) return;
    resize(size().expandedTo(FormFrameSize()));
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_manager->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) m_manager->FrameClosed(this);
}
