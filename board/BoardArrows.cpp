#include "BoardArrows.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

QColor BoardArrows::ColourOf(char letter, int alpha) {
    switch (letter) {
        case 'R':
            return QColor(0xC0, 0x20, 0x20, alpha);
        case 'B':
            return QColor(0x10, 0x50, 0xC0, alpha);
        case 'Y':
            return QColor(0xE6, 0xA0, 0x00, alpha);
        default:
            return QColor(0x15, 0x80, 0x1F, alpha);
    }
}

void BoardArrows::DrawMarks(QPainter& painter, const std::vector<NoteMark>& marks,
                            const CellOf& cell) {
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const NoteMark& mark : marks) {
        if (!mark.square.IsOnBoard()) continue;
        painter.fillRect(cell(mark.square), ColourOf(mark.colour, 110));
    }
    painter.restore();
}

void BoardArrows::DrawArrows(QPainter& painter, const std::vector<NoteArrow>& arrows,
                             const CellOf& cell) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (const NoteArrow& arrow : arrows) {
        if (!arrow.from.IsOnBoard() || !arrow.to.IsOnBoard() || arrow.from == arrow.to) continue;
        const QRectF fromCell = cell(arrow.from);
        const QPointF from = fromCell.center();
        const QPointF to = cell(arrow.to).center();
        const qreal square = fromCell.width();
        const qreal length = qSqrt(QPointF::dotProduct(to - from, to - from));
        if (length <= 0) continue;
        // Built along the x axis and turned into place, as one shape, so the
        // shaft and the head never darken each other where they overlap.
        const qreal shaft = square * 0.16, head = square * 0.48, headLength = square * 0.42;
        const qreal tip = length - square * 0.12, neck = qMax(0.0, tip - headLength);
        const QPolygonF shape({{0, -shaft / 2},
                               {neck, -shaft / 2},
                               {neck, -head / 2},
                               {tip, 0},
                               {neck, head / 2},
                               {neck, shaft / 2},
                               {0, shaft / 2}});
        painter.save();
        painter.translate(from);
        painter.rotate(qRadiansToDegrees(qAtan2(to.y() - from.y(), to.x() - from.x())));
        painter.setBrush(ColourOf(arrow.colour, 170));
        painter.drawPolygon(shape);
        painter.restore();
    }
    painter.restore();
}
