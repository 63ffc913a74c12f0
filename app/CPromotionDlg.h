#pragma once

#include <QDialog>

class QRadioButton;

// "Promotion!": which piece a pawn reaching the last rank becomes. Opens
// with "Queen" chosen; only "OK" reads the buttons back, so closing it any
// other way promotes to a queen.
class CPromotionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPromotionDlg(QWidget* parent = nullptr);
    int exec() override;
    void accept() override;

    int m_choice = 0;  // 0 Queen, 1 Knight, 2 Rook, 3 Bishop
    // The PieceType of the choice.
    int ChosenPiece() const;

private:
    QRadioButton* m_buttons[4];
};
