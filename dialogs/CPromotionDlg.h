#pragma once

#include <QDialog>

class QRadioButton;

// "Promotion!": which piece a pawn reaching the last rank becomes. Opens
// with "Queen" chosen; only "OK" reads the buttons back, and closing it any
// other way (Escape, the close box) chooses nothing, so the move is taken back.
class CPromotionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPromotionDlg(QWidget* parent = nullptr);
    int exec() override;
    void accept() override;

    int m_choice = 0;  // 0 Queen, 1 Knight, 2 Rook, 3 Bishop; -1 none
    // The PieceType of the choice, NoPiece when there is none.
    int ChosenPiece() const;

private:
    QRadioButton* m_buttons[4];
};
