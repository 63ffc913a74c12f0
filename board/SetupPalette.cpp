#include "SetupPalette.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QToolButton>

#include "BoardPictures.h"
#include "PieceTypes.h"

namespace {

constexpr int kIconSize = BoardPictures::kSquare;
const char* const kPieceNames[6] = {"Pawn", "Knight", "Bishop", "Rook", "Queen", "King"};

// A square's picture of the light shade, with a piece or, for the eraser,
// crossed out.
QIcon SquareIcon(int color, int piece, qreal ratio) {
    QPixmap pixmap(QSize(kIconSize, kIconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(BoardPictures::SquareColor(0));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(0, 0, kIconSize, kIconSize);
    if (piece == NoPiece) {
        painter.setPen(QPen(QColor(0xB0, 0x20, 0x20), 3));
        painter.drawLine(square.topLeft() + QPointF(7, 7), square.bottomRight() - QPointF(7, 7));
        painter.drawLine(square.topRight() + QPointF(-7, 7), square.bottomLeft() + QPointF(7, -7));
    } else {
        BoardPictures::PieceSource(color, piece).render(&painter, square);
    }
    return QIcon(pixmap);
}

}  // namespace

SetupPalette::SetupPalette(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(2);
    auto tool = [this](int color, int piece, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setProperty("color", color);
        button->setProperty("piece", piece);
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setToolTip(tip);
        connect(button, &QToolButton::toggled, this,
                [this, button](bool checked) { OnPicked(button, checked); });
        return button;
    };
    // King to pawn, as a player counts them.
    for (int color : {White, Black})
        for (int piece = King; piece >= Pawn; --piece) {
            const QString tip = QString::fromLatin1(color == White ? "White " : "Black ") +
                                QString::fromLatin1(kPieceNames[piece]);
            m_pieces[color][piece] = tool(color, piece, tip);
            grid->addWidget(m_pieces[color][piece], color, King - piece);
        }
    m_eraser = tool(NoColor, NoPiece, QStringLiteral("Empty Square"));
    grid->addWidget(m_eraser, 0, 6, 2, 1);
    auto* clear = new QPushButton(QStringLiteral("Clear Board"), this);
    auto* start = new QPushButton(QStringLiteral("Start Position"), this);
    for (QPushButton* button : {clear, start}) button->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &SetupPalette::ClearBoard);
    connect(start, &QPushButton::clicked, this, &SetupPalette::StartPosition);
    grid->addWidget(clear, 0, 7);
    grid->addWidget(start, 1, 7);
    grid->setColumnStretch(8, 1);

    auto* fenRow = new QHBoxLayout;
    fenRow->addWidget(new QLabel(QStringLiteral("FEN:"), this));
    m_fen = new QLineEdit(this);
    m_fen->setToolTip(
        QStringLiteral("The position as it is built; type or paste a FEN here and press Enter"));
    fenRow->addWidget(m_fen, 1);
    grid->addLayout(fenRow, 2, 0, 1, 9);
    connect(m_fen, &QLineEdit::editingFinished, this, [this] {
        if (m_fen->text() != m_shownFen) emit FenEntered(m_fen->text());
    });
}

void SetupPalette::setVisible(bool visible) {
    // Every game window has a palette and most never show it: its pictures
    // and style are made the first time it is shown, not at the window's start.
    if (visible && !m_dressed) {
        m_dressed = true;
        // The pick framed in setup's own orange, the board's frame while setup is on.
        setStyleSheet(QStringLiteral(
            "QToolButton { border: 2px solid transparent; border-radius: 3px; padding: 1px; }"
            "QToolButton:hover { border-color: #E8B070; }"
            "QToolButton:checked { border-color: #D96C00; background: #F6DFC4; }"));
        for (QToolButton* button : findChildren<QToolButton*>())
            button->setIcon(SquareIcon(button->property("color").toInt(),
                                       button->property("piece").toInt(), devicePixelRatioF()));
    }
    QWidget::setVisible(visible);
}

bool SetupPalette::Picked(int& color, int& piece) const {
    if (m_eraser->isChecked()) {
        color = NoColor;
        piece = NoPiece;
        return true;
    }
    for (int c : {White, Black})
        for (int p = Pawn; p <= King; ++p)
            if (m_pieces[c][p]->isChecked()) {
                color = c;
                piece = p;
                return true;
            }
    return false;
}

void SetupPalette::ShowFen(const QString& fen) {
    m_shownFen = fen;
    if (m_fen->text() != fen) m_fen->setText(fen);
    m_fen->setCursorPosition(0);
}

QAbstractButton* SetupPalette::PieceButton(int color, int piece) const {
    return m_pieces[color][piece];
}

QAbstractButton* SetupPalette::EraserButton() const {
    return m_eraser;
}

void SetupPalette::OnPicked(QToolButton* button, bool checked) {
    if (!checked) return;
    // One pick at a time; clicking the picked one again picks nothing.
    for (QToolButton* other : findChildren<QToolButton*>())
        if (other != button) other->setChecked(false);
}
