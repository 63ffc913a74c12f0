#pragma once

#include <QDialog>

class QTextBrowser;

// "Ravelin Help": the program's short guide, compiled into it, in a window
// of its own beside the games. Its links lead only to its own sections.
class CHelpDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHelpDlg(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
