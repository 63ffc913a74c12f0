#include "AnnotationEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTextCursor>

#include "StoredTextSize.h"

bool AnnotationEdit::Fits(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const QString selected = cursor.selectedText().replace(QChar::ParagraphSeparator, '\n');
    return StoredTextSize(toPlainText(), m_eightBit) - StoredTextSize(selected, m_eightBit) +
               StoredTextSize(inserted, m_eightBit) <=
           m_limit;
}

namespace {
bool IsClipboardKey(const QKeyEvent* key) {
    const int combined = key->keyCombination().toCombined();
    const QKeySequence pressed(combined);
    return key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) ||
           key->matches(QKeySequence::Paste) ||
           pressed == QKeySequence(Qt::CTRL | Qt::Key_Insert) ||
           pressed == QKeySequence(Qt::SHIFT | Qt::Key_Delete) ||
           pressed == QKeySequence(Qt::SHIFT | Qt::Key_Insert);
}
}  // namespace

bool AnnotationEdit::event(QEvent* event) {
    // Let the Edit menu's shortcuts have these keys, so Cut and Paste store
    // the note the same way however they are reached.
    if (event->type() == QEvent::ShortcutOverride && IsClipboardKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void AnnotationEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        if (!(event->modifiers() & Qt::ControlModifier)) {
            event->ignore();  // Enter belongs to the form, whose default does nothing
            return;
        }
        if (!Fits(QStringLiteral("\n"))) {
            QApplication::beep();
            return;
        }
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typing && !Fits(text)) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
