#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <cstdio>

#include "BoardPictures.h"
#include "CVexilView.h"

namespace {

// Serves start-up measurement (bench/startup.sh): "first-paint MS" on stderr.
const QElapsedTimer g_sinceStart = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
}();
void ReportFirstPaint() {
    static bool pending = qEnvironmentVariableIsSet("RAVELIN_REPORT_FIRST_PAINT");
    if (!pending) return;
    pending = false;
    QTimer::singleShot(0, [] {
        std::fprintf(stderr, "first-paint %.2f\n",
                     static_cast<double>(g_sinceStart.nsecsElapsed()) / 1e6);
    });
}

}  // namespace

void CVexilView::SquareFromPoint(int x, int y, int& file, int& rank) const {
    const Square at = board::SquareAt(QPoint(x, y), m_square, m_flipped != 0);
    file = at.file;
    rank = at.rank;
}

QPoint CVexilView::SquareCentre(int file, int rank) const {
    return board::CentreOf(Square(file, rank), m_square, m_flipped != 0);
}

QPoint CVexilView::SquareOrigin(int file, int rank) const {
    return board::OriginOf(Square(file, rank), m_square, m_flipped != 0);
}

const BoardPictures& CVexilView::Pictures() const {
    if (!m_pictures) m_pictures = BoardPictures::Shared(devicePixelRatioF(), m_square);
    return *m_pictures;
}

void CVexilView::PaintSquares(QPainter& painter) const {
    // Resizing: the pictures of the size before, scaled, until the size rests.
    const bool resting = !m_pictures && m_restingPictures;
    const BoardPictures& pictures = resting ? *m_restingPictures : Pictures();
    const QPixmap& background = pictures.Background(m_flipped != 0);
    if (resting) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(
            QRect(0, 0, BoardPictures::kBackgroundWidth * m_square / BoardPictures::kSquare,
                  BoardPictures::kBackgroundHeight * m_square / BoardPictures::kSquare),
            background);
    } else {
        painter.drawPixmap(0, 0, background);
    }
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int kind = m_game->GetPiece(file, rank);
            const int shade = BoardPictures::Shade(file, rank);
            const QPixmap& picture =
                kind >= 0 ? pictures.PieceOnSquare(m_game->GetColor(file, rank), kind, shade)
                          : pictures.EmptySquare(shade);
            if (resting)
                painter.drawPixmap(QRect(SquareOrigin(file, rank), QSize(m_square, m_square)),
                                   picture);
            else
                painter.drawPixmap(SquareOrigin(file, rank), picture);
        }
    }
}

void CVexilView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBoard(painter);
    if (m_setupActive) {
        // Setup mode at a glance: the squares framed in a colour play never uses.
        const int width = qMax(3, m_square / 10);
        const QPoint corner = SquareOrigin(m_flipped ? 7 : 0, m_flipped ? 0 : 7);
        painter.setPen(QPen(QColor(0xD9, 0x6C, 0x00), width, Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const int half = width / 2;
        painter.drawRect(QRect(corner, QSize(8 * m_square, 8 * m_square))
                             .adjusted(half, half, -half - 1, -half - 1));
    }
    ReportFirstPaint();
}
