#include "MoveListDelegate.h"

#include <QApplication>
#include <QPainter>

void MoveListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const int depth = index.data(kDepthRole).toInt();
    const int indent = option.fontMetrics.averageCharWidth() * 2;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                           .adjusted(2 + depth * indent, 0, -2, 0);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    // Tab stops every eight average characters, as list boxes have them.
    layout.setTabStopDistance(option.fontMetrics.averageCharWidth() * 8.0);
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool aside = index.data(kAsideRole).toBool();
    if (depth > 0) {
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Mid));
        for (int level = 1; level <= depth; ++level) {
            const int x = area.left() - indent * level + indent / 2 - 2;
            painter->drawLine(x, option.rect.top(), x, option.rect.bottom());
        }
    }
    painter->setPen(selected ? item.palette.color(QPalette::HighlightedText)
                    : aside  ? item.palette.color(QPalette::Disabled, QPalette::Text)
                             : item.palette.color(QPalette::Text));
    painter->drawText(area, text, layout);
    const QString clock = index.data(kClockRole).toString();
    if (!clock.isEmpty()) {
        const int tab = option.fontMetrics.averageCharWidth() * 8;
        const int after = option.fontMetrics.size(Qt::TextExpandTabs, text, tab).width() +
                          option.fontMetrics.averageCharWidth() * 2;
        const QFont font = ClockFont(option.font);
        const QFontMetrics metrics(font);
        const int room = area.width() - after;
        // A list too narrow for the clock and the time taken keeps the clock,
        // and what still does not fit ends in an ellipsis rather than a cut.
        QString shown = clock;
        if (metrics.horizontalAdvance(shown) > room) shown = clock.section(QLatin1Char(' '), 0, 0);
        shown = metrics.elidedText(shown, Qt::ElideRight, qMax(0, room));
        painter->setFont(font);
        painter->setPen(selected ? item.palette.color(QPalette::HighlightedText)
                                 : item.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawText(area.adjusted(after, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    painter->restore();
}

QFont MoveListDelegate::ClockFont(const QFont& font) {
    QFont smaller = font;
    if (font.pointSizeF() > 0)
        smaller.setPointSizeF(font.pointSizeF() * 0.85);
    else
        smaller.setPixelSize(qMax(1, font.pixelSize() * 85 / 100));
    return smaller;
}

QSize MoveListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QFontMetrics& metrics = option.fontMetrics;
    const int tab = metrics.averageCharWidth() * 8;
    const QString text = index.data(Qt::DisplayRole).toString();
    const int depth = index.data(kDepthRole).toInt();
    int drawn = metrics.size(Qt::TextExpandTabs, text, tab).width() +
                depth * metrics.averageCharWidth() * 2;
    const QString clock = index.data(kClockRole).toString();
    if (!clock.isEmpty())
        drawn += metrics.averageCharWidth() * 2 +
                 QFontMetrics(ClockFont(option.font)).horizontalAdvance(clock);
    // The margins paint() leaves, and the style's own around the text.
    size.setWidth(drawn + 4 + 2 * option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                                      &option, option.widget) +
                  2);
    return size;
}
