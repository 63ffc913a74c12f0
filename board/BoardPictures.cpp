#include "BoardPictures.h"

#include <QFont>
#include <QPainter>
#include <QSvgRenderer>
#include <map>

namespace {

const QColor kLightSquare(0xEE, 0xD8, 0xB0);
const QColor kDarkSquare(0xB5, 0x88, 0x63);

QString PieceFile(int color, int kind) {
    static const char* const kNames[6] = {"pawn", "knight", "bishop", "rook", "queen", "king"};
    return QStringLiteral(":/pictures/%1-%2.svg")
        .arg(color == 0 ? QStringLiteral("white") : QStringLiteral("black"), kNames[kind]);
}

QPixmap Blank(int width, int height, qreal ratio, const QColor& fill) {
    QPixmap pixmap(qCeil(width * ratio), qCeil(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(fill);
    return pixmap;
}

// White paper with the rank digits down the left edge and the file letters
// along the bottom, lined up with the squares drawn over it. Drawn in the
// normal square's units, scaled to `square`.
QPixmap DrawBackground(bool flipped, qreal ratio, int square) {
    const qreal scale = qreal(square) / BoardPictures::kSquare;
    QPixmap pixmap = Blank(qRound(BoardPictures::kBackgroundWidth * scale),
                           qRound(BoardPictures::kBackgroundHeight * scale), ratio, Qt::white);
    QPainter painter(&pixmap);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    const int squares = BoardPictures::kSquare;
    for (int i = 0; i < 8; ++i) {
        // Row i from the top and column i from the left.
        const QChar digit = QChar('1' + (flipped ? i : 7 - i));
        const QChar letter = QChar('a' + (flipped ? 7 - i : i));
        painter.drawText(QRect(0, i * squares, 20, squares), Qt::AlignCenter, QString(digit));
        painter.drawText(QRect(20 + i * squares, 256, squares, 26), Qt::AlignCenter,
                         QString(letter));
    }
    // A thin frame around the squares.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(19.5, -0.5, 257, 257));
    return pixmap;
}

}  // namespace

QColor BoardPictures::SquareColor(int shade) {
    return shade == 0 ? kLightSquare : kDarkSquare;
}

QSvgRenderer& BoardPictures::PieceSource(int color, int kind) {
    static std::unique_ptr<QSvgRenderer> sources[2][6];
    std::unique_ptr<QSvgRenderer>& source = sources[color][kind];
    if (!source) source = std::make_unique<QSvgRenderer>(PieceFile(color, kind));
    return *source;
}

std::shared_ptr<const BoardPictures> BoardPictures::Shared(qreal ratio, int square) {
    // Drawing them takes a few milliseconds, mostly reading the pieces' SVG.
    static std::map<std::pair<qreal, int>, std::weak_ptr<const BoardPictures>> drawn;
    std::weak_ptr<const BoardPictures>& slot = drawn[{ratio, square}];
    std::shared_ptr<const BoardPictures> pictures = slot.lock();
    if (!pictures) {
        pictures = std::make_shared<const BoardPictures>(ratio, square);
        slot = pictures;
    }
    return pictures;
}

BoardPictures::BoardPictures(qreal ratio, int square) {
    m_normal = DrawBackground(false, ratio, square);
    m_flipped = DrawBackground(true, ratio, square);
    m_empty[0] = Blank(square, square, ratio, kLightSquare);
    m_empty[1] = Blank(square, square, ratio, kDarkSquare);
    // Each piece drawn once from its source, read once for the program: a
    // window resized draws a new size at every step of the drag.
    for (int color = 0; color < 2; ++color) {
        for (int kind = 0; kind < 6; ++kind) {
            QPixmap piece = Blank(square, square, ratio, Qt::transparent);
            {
                QPainter painter(&piece);
                painter.setRenderHint(QPainter::Antialiasing);
                PieceSource(color, kind).render(&painter, QRectF(0, 0, square, square));
            }
            for (int shade = 0; shade < 2; ++shade) {
                QPixmap picture = m_empty[shade];
                QPainter painter(&picture);
                painter.drawPixmap(0, 0, piece);
                m_pieces[color][kind][shade] = picture;
            }
            m_pointers[color][kind] = QCursor(piece, square / 2, square / 2);
        }
    }
}
