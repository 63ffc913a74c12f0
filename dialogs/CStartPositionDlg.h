#pragma once

#include <QDialog>

#include "StartChoices.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

// "Starting Position", asked when setup ends: the side to move, the castling
// rights the placement allows (the others greyed), an en-passant target where
// a two-square advance could just have been made, and the move number.
class CStartPositionDlg : public QDialog {
    Q_OBJECT
public:
    CStartPositionDlg(const StartChoices& choices, QWidget* parent = nullptr);
    // The choices as the dialog's fields hold them.
    StartChoices Choices() const;

private:
    // The targets offered follow the side to move.
    void ListTargets();

    StartChoices m_choices;
    QRadioButton* m_sides[2] = {};
    QCheckBox* m_castling[4] = {};
    QComboBox* m_enPassant = nullptr;
    QSpinBox* m_moveNumber = nullptr;
};
