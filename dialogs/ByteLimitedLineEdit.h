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
    // Whether the text is stored in 8-bit text, where a character is a byte.
    void SetEightBit(bool eightBit) { m_eightBit = eightBit; }
    int StoredSize() const;

private:
    void OnEdited(const QString& text);
    int m_limit;
    bool m_eightBit = false;
    QString m_accepted;
};
