#pragma once

#include <QDialog>

#include "UserPrompts.h"

class QTableWidget;

// "Keyboard Shortcuts": every command that has keys and the keys it answers
// to, in two columns, and Close.
class CShortcutsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CShortcutsDlg(const UserPrompts::ShortcutList& rows, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table;
};
