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

// The normal board's formulas with every length times square / 32, worked in
// integers scaled by 32 so that the normal size gives exactly its pixels.
void CVexilView::SquareFromPoint(int x, int y, int& file, int& rank) const {
    const int square = m_square;
    const bool flipped = m_flipped != 0;
    // Integer division truncates toward zero, as the board's bands expect.
    const int file0 = (32 * x + 11 * square) / (32 * square) - 1;
    const int rank0 = (-31 * square - 32 * y) / (32 * square) + 8;
    file = flipped ? 7 - file0 : file0;
    rank = flipped ? 7 - rank0 : rank0;
}

QPoint CVexilView::SquareCentre(int file, int rank) const {
    const int square = m_square;
    const bool flipped = m_flipped != 0;
    const int file0 = flipped ? 7 - file : file;
    const int rank0 = flipped ? 7 - rank : rank;
    return QPoint(square * file0 + 36 * square / 32, 240 * square / 32 - square * rank0);
}

QPoint CVexilView::SquareOrigin(int file, int rank) const {
    const int square = m_square;
    return m_flipped != 0
               ? QPoint(244 * square / 32 - square * file, square * rank)
               : QPoint(20 * square / 32 + square * file, 224 * square / 32 - square * rank);
}

const BoardPictures& CVexilView::Pictures() const {
    if (!m_pictures) m_pictures = BoardPictures::Shared(devicePixelRatioF(), m_square);
    return *m_pictures;
}

void CVexilView::PaintBoard(QPainter& painter) const {
    const BoardPictures& pictures = Pictures();
    painter.drawPixmap(0, 0, pictures.Background(m_flipped != 0));
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int kind = m_game->GetPiece(file, rank);
            const int shade = BoardPictures::Shade(file, rank);
            const QPixmap& picture =
                kind >= 0 ? pictures.PieceOnSquare(m_game->GetColor(file, rank), kind, shade)
                          : pictures.EmptySquare(shade);
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
