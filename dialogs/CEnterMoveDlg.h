#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

// "Enter Move": one line where the user types a move. Enter hands the text
// on; the box closes once a move is played and otherwise stays open with the
// text selected for another try.
class CEnterMoveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEnterMoveDlg(std::function<bool(const QString&)> play, QWidget* parent = nullptr);
    void accept() override;

    QLineEdit* Field() const { return m_field; }

private:
    std::function<bool(const QString&)> m_play;
    QLineEdit* m_field;
};
