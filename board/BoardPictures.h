#pragma once

#include <QCursor>
#include <QPixmap>
#include <memory>

class QSvgRenderer;

// The pictures a board view draws with: the two board backgrounds with their
// rank digits and file letters, the empty light and dark squares, a piece on
// either shade, and the piece-shaped pointers. Drawn from their vector
// sources once per square size and screen scale.
class BoardPictures {
public:
    // The normal square; the background's sizes are given for it and grow
    // with the square.
    static constexpr int kSquare = 32;
    static constexpr int kBackgroundWidth = 282;
    static constexpr int kBackgroundHeight = 284;

    BoardPictures(qreal devicePixelRatio, int square = kSquare);
    // The pictures of one size and scale, drawn once and shared by every view
    // that draws at it for as long as any of them holds them.
    static std::shared_ptr<const BoardPictures> Shared(qreal devicePixelRatio,
                                                       int square = kSquare);

    const QPixmap& Background(bool flipped) const { return flipped ? m_flipped : m_normal; }
    const QPixmap& EmptySquare(int shade) const { return m_empty[shade]; }
    const QPixmap& PieceOnSquare(int color, int kind, int shade) const {
        return m_pieces[color][kind][shade];
    }
    const QCursor& Pointer(int color, int kind) const { return m_pointers[color][kind]; }

    // The colour of an empty square of either shade.
    static QColor SquareColor(int shade);
    // A piece's vector source, read once, for drawing at any size.
    static QSvgRenderer& PieceSource(int color, int kind);

    // Shade of a square: 0 light, 1 dark (a1 is dark).
    static int Shade(int file, int rank) { return (file + rank) % 2 == 1 ? 0 : 1; }

private:
    QPixmap m_normal;
    QPixmap m_flipped;
    QPixmap m_empty[2];
    QPixmap m_pieces[2][6][2];
    QCursor m_pointers[2][6];
};
