#pragma once

#include <QWidget>

class QAbstractButton;
class QLineEdit;
class QToolButton;

// Setup's tools below the board: the twelve pieces and an eraser, one of
// which a left click on a square puts there until another is picked (or the
// picked one is clicked again, giving the board back to dragging); "Clear
// Board", "Start Position"; and the FEN of the board as it is built, which a
// FEN typed or pasted there replaces.
class SetupPalette : public QWidget {
    Q_OBJECT
public:
    explicit SetupPalette(QWidget* parent = nullptr);
    void setVisible(bool visible) override;
    // The piece a click puts, NoColor and NoPiece for the eraser; false when
    // nothing is picked.
    bool Picked(int& color, int& piece) const;
    // Shows `fen` in the field, unless it is what the field shows already.
    void ShowFen(const QString& fen);
    QAbstractButton* PieceButton(int color, int piece) const;
    QAbstractButton* EraserButton() const;
    QLineEdit* FenField() const { return m_fen; }

signals:
    void ClearBoard();
    void StartPosition();
    // A FEN typed or pasted, on Enter or on leaving the field changed.
    void FenEntered(const QString& fen);

private:
    void OnPicked(QToolButton* button, bool checked);
    QToolButton* m_pieces[2][6] = {};
    QToolButton* m_eraser = nullptr;
    QLineEdit* m_fen = nullptr;
    QString m_shownFen;
    bool m_dressed = false;  // pictures and style made, at the first showing
};
