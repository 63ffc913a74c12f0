#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <cmath>

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "DocumentManager.h"

// The Window menu's arrangements of the game windows and its list of them.

namespace {

// The game windows that an arrangement moves: all but the minimised, shown
// as normal windows.
QList<CChildFrame*> FramesToArrange(QMdiArea* area) {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : area->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame == nullptr || frame->isMinimized()) continue;
        if (frame->isMaximized()) frame->showNormal();
        frames.append(frame);
    }
    return frames;
}

// Where tile `index` of `count` starts and ends along `total` pixels: an
// equal share, or `least` pixels when the share is smaller, the area then
// scrolling to the rest.
std::pair<int, int> TileSpan(int index, int count, int total, int least) {
    if (total / count >= least) return {total * index / count, total * (index + 1) / count};
    return {least * index, least * (index + 1)};
}

}  // namespace

void CMainFrame::OnWindowCascade() {
    // Each window one title bar lower and to the right of the one before,
    // each showing its whole form, starting again at the top when the next
    // would leave the area; where not even one step fits, the steps go on
    // and the area scrolls, so that every title bar stays in sight.
    const QList<CChildFrame*> frames = FramesToArrange(m_area);
    const QRect area = m_area->viewport()->rect();
    for (int i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames[i];
        const QSize size = frame->FormFrameSize();
        const int step = qMax(1, frame->contentsMargins().top());
        const int room = qMin(area.height() - size.height(), area.width() - size.width());
        const int places = room >= step ? room / step + 1 : int(frames.size());
        const int offset = (i % places) * step;
        frame->setGeometry(QRect(QPoint(offset, offset), size));
        frame->raise();
    }
    if (!frames.isEmpty()) m_area->setActiveSubWindow(frames.last());
}

void CMainFrame::OnWindowTile() {
    // Tiles are rows, as the game form is wide and short: one column for up
    // to three windows, then as many columns as the square root of their
    // number, the last columns taking one row more. No tile is smaller than
    // a whole form.
    const QList<CChildFrame*> windows = FramesToArrange(m_area);
    const int count = int(windows.size());
    if (count == 0) return;
    QSize least;
    for (CChildFrame* window : windows) least = least.expandedTo(window->FormFrameSize());
    const int columns = qMax(1, int(std::sqrt(double(count))));
    const QRect area = m_area->viewport()->rect();
    int next = 0;
    for (int column = 0; column < columns; ++column) {
        const int rows = count / columns + (column >= columns - count % columns ? 1 : 0);
        const auto [left, right] = TileSpan(column, columns, area.width(), least.width());
        for (int row = 0; row < rows; ++row) {
            const auto [top, bottom] = TileSpan(row, rows, area.height(), least.height());
            windows[next++]->setGeometry(left, top, right - left, bottom - top);
        }
    }
}

void CMainFrame::OnWindowArrangeIcons() {
    // Minimised game windows in a row along the bottom edge.
    int x = 0;
    for (QMdiSubWindow* window : m_area->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, m_area->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::ListGameWindows(QMenu* menu) {
    // The open game windows follow the four commands, the active one checked.
    const QList<QAction*> actions = menu->actions();
    for (int i = 4; i < actions.size(); ++i) {
        menu->removeAction(actions[i]);
        if (actions[i]->parent() == menu) delete actions[i];
    }
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    if (!windows.isEmpty()) menu->addSeparator();
    // An "&" of a file name is shown, not taken for the item's key.
    const auto EntryName = [this](QMdiSubWindow* window) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        const QString title =
            frame != nullptr ? m_documents->MarkedTitle(frame) : window->windowTitle();
        return QString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
    };
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(EntryName(sub)));
        entry->setCheckable(true);
        entry->setChecked(sub == m_area->activeSubWindow());
        connect(entry, &QAction::triggered, m_area,
                [this, sub] { m_area->setActiveSubWindow(sub); });
    }
}
