#pragma once

#include <QStyledItemDelegate>

// Draws move-list lines with their tab expanded to a tab stop, so that
// Black's moves stand in a column of their own. A variation's lines stand
// indented by their depth behind a rule for each level, and lines off the
// line the board shows are drawn muted. A move's clock stands after it,
// smaller and muted.
class MoveListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kDepthRole = Qt::UserRole + 1;  // int: 0 for the main line
    static constexpr int kAsideRole = Qt::UserRole + 2;  // bool: not on the line shown
    static constexpr int kClockRole = Qt::UserRole + 3;  // QString: "4:58 +0:07"
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // As wide as the line is drawn, tab and indent included, so the list
    // scrolls sideways only for a line that does not fit.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The clock's type: the list's, a little smaller.
    static QFont ClockFont(const QFont& font);
};
