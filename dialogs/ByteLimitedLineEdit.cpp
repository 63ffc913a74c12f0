#include "ByteLimitedLineEdit.h"

#include <QApplication>

#include "StoredTextSize.h"

ByteLimitedLineEdit::ByteLimitedLineEdit(int byteLimit, QWidget* parent)
    : QLineEdit(parent), m_limit(byteLimit) {
    connect(this, &QLineEdit::textEdited, this, &ByteLimitedLineEdit::OnEdited);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        // Set by the program. A refused keystroke's own change notice comes
        // after the refusal has put the old text back: it must not count.
        if (!isModified() && text == this->text()) m_accepted = text;
    });
}

int ByteLimitedLineEdit::StoredSize() const { return StoredTextSize(text(), m_eightBit); }

void ByteLimitedLineEdit::OnEdited(const QString& text) {
    const int previous = StoredTextSize(m_accepted, m_eightBit);
    const int now = StoredTextSize(text, m_eightBit);
    // Refuse an edit that grows the text past the limit; shortening a text
    // that was already too long is always allowed.
    if (now > m_limit && now > previous) {
        const int cursor = cursorPosition() - (text.size() - m_accepted.size());
        setText(m_accepted);
        setCursorPosition(qMax(0, cursor));
        QApplication::beep();
        return;
    }
    m_accepted = text;
}
