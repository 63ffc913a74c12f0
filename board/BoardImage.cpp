#include "BoardImage.h"

#include <QFont>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "BoardArrows.h"
#include "BoardPictures.h"
#include "GameRecord.h"
#include "MoveListNotes.h"

namespace {

// The margin the letters and digits take, in squares, as on the view's board.
constexpr qreal kMargin = 0.625;

}  // namespace

void BoardImage::Draw(QPainter& painter, const QRectF& target, const int piece[8][8],
                      const int color[8][8], bool flipped, bool coordinates,
                      const std::vector<NoteArrow>& arrows, const std::vector<NoteMark>& marks) {
    const qreal side = qMin(target.width(), target.height());
    const qreal square = side / (coordinates ? 8 + kMargin : 8);
    const QPointF corner(target.center().x() - side / 2, target.center().y() - side / 2);
    const QPointF origin = corner + QPointF(coordinates ? kMargin * square : 0, 0);
    const BoardArrows::CellOf cellOf = [&](Square at) {
        const int column = flipped ? 7 - at.file : at.file;
        const int row = flipped ? at.rank : 7 - at.rank;
        return QRectF(origin.x() + column * square, origin.y() + row * square, square, square);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const QRectF cell = cellOf(Square(file, rank));
            painter.fillRect(cell, BoardPictures::SquareColor(BoardPictures::Shade(file, rank)));
            // A marked square's tint lies under its piece.
            for (const NoteMark& mark : marks)
                if (mark.square == Square(file, rank))
                    BoardArrows::DrawMarks(painter, {mark}, cellOf);
            const int kind = piece[file][rank];
            const int owner = color[file][rank];
            if (kind >= Pawn && kind <= King && (owner == White || owner == Black)) {
                painter.setRenderHint(QPainter::Antialiasing, true);
                BoardPictures::PieceSource(owner, kind).render(&painter, cell);
                painter.setRenderHint(QPainter::Antialiasing, false);
            }
        }
    }
    BoardArrows::DrawArrows(painter, arrows, cellOf);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The frame inside the squares' edge, so nothing of it strays beyond the
    // board's rectangle (onto the page before, where a page break falls).
    const qreal pen = square / 32;
    painter.setPen(QPen(Qt::black, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(origin, QSizeF(8 * square, 8 * square))
                         .adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
    if (coordinates) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(qMax(1, qRound(square * 0.375)));
        font.setBold(true);
        painter.setFont(font);
        for (int i = 0; i < 8; ++i) {
            const QChar digit = QChar('1' + (flipped ? i : 7 - i));
            const QChar letter = QChar('a' + (flipped ? 7 - i : i));
            painter.drawText(QRectF(corner.x(), origin.y() + i * square, kMargin * square, square),
                             Qt::AlignCenter, QString(digit));
            painter.drawText(
                QRectF(origin.x() + i * square, origin.y() + 8 * square, square, kMargin * square),
                Qt::AlignCenter, QString(letter));
        }
    }
    painter.restore();
}

void BoardImage::Draw(QPainter& painter, const QRectF& target, const CGameRecord& game,
                      bool flipped, bool coordinates) {
    const NoteParts note = ParseNote(NoteOfLine(game, game.m_curPly));
    Draw(painter, target, game.m_piece, game.m_color, flipped, coordinates, note.arrows,
         note.marks);
}

QImage BoardImage::Picture(const CGameRecord& game, int pixels, bool flipped, bool coordinates) {
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Draw(painter, QRectF(0, 0, pixels, pixels), game, flipped, coordinates);
    return image;
}

bool BoardImage::Write(const QString& path, const CGameRecord& game, int pixels, bool flipped,
                       bool coordinates) {
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return Picture(game, pixels, flipped, coordinates).save(path, "PNG");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(pixels, pixels));
    svg.setViewBox(QRect(0, 0, pixels, pixels));
    svg.setTitle(QStringLiteral("Chess position"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.fillRect(QRect(0, 0, pixels, pixels), Qt::white);
    Draw(painter, QRectF(0, 0, pixels, pixels), game, flipped, coordinates);
    return painter.end();
}
