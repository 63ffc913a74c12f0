#pragma once

#include <QDialog>

#include "UserPrompts.h"

class QLineEdit;
class QSpinBox;

// "Engine": the program analysis runs and what it may use.
class CEngineDlg : public QDialog {
    Q_OBJECT
public:
    CEngineDlg(const UserPrompts::EngineChoice& choice, QWidget* parent);
    UserPrompts::EngineChoice Choice() const;

private:
    void OnBrowse();

    QLineEdit* m_program;
    QSpinBox* m_threads;
    QSpinBox* m_hash;
    QSpinBox* m_lines;
    QSpinBox* m_checkTime;
};
