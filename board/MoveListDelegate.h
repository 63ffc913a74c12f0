#pragma once

#include <QStyledItemDelegate>

// Draws move-list lines with their tab expanded to a tab stop, so that
// Black's moves stand in a column of their own.
class MoveListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
