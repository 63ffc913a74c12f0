#include "AnnotationEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>

bool AnnotationEdit::Fits(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return toPlainText().size() - selected + inserted.size() <= m_limit;
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
