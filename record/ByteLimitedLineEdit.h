#pragma once

#include <QLineEdit>

// A one-line box that refuses typing beyond a number of bytes (as UTF-8, so
// the text fits its field in either of a game's encodings). Text set by the
// program is shown whole, however long.
class ByteLimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ByteLimitedLineEdit(int byteLimit, QWidget* parent = nullptr);
    int ByteLimit() const { return m_limit; }

private:
    void OnEdited(const QString& text);
    int m_limit;
    QString m_accepted;
};
