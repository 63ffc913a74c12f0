#pragma once

#include <QDialog>

class QRadioButton;

// "Setup Piece": which piece of which colour to put on a square, or empty
// the square, or clear the whole board.
class CSetupPieceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEmptySquare = -1;
    static constexpr int kCancelled = -2;
    static constexpr int kClearBoard = -3;

    explicit CSetupPieceDlg(QWidget* parent = nullptr);
    int exec() override;
    void accept() override;
    void reject() override;

    // Radio indices (King 0 .. Pawn 5; White 0, Black 1) or a result code.
    int m_pieceChoice = -1;
    int m_colorChoice = -1;

private:
    void CloseWith(int code);
    QRadioButton* m_pieces[6];
    QRadioButton* m_colors[2];
};
