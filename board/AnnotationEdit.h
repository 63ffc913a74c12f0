#pragma once

#include <QPlainTextEdit>

// The note box: refuses typing beyond its limit (counted in bytes as the note
// stores them, a line break as CR LF), and Enter does nothing there (the
// form's default action) while Ctrl+Enter breaks the line. Cut, Copy and
// Paste keys are left to the window's Edit commands.
class AnnotationEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit AnnotationEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
    void SetLimit(int limit) { m_limit = limit; }
    // Whether the note is stored in 8-bit text, where a character is a byte.
    void SetEightBit(bool eightBit) { m_eightBit = eightBit; }
    int Limit() const { return m_limit; }


protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Fits(const QString& inserted) const;
    int m_limit = 4096;
    bool m_eightBit = false;
};
