#pragma once

#include <QPlainTextEdit>

// The note box: refuses typing beyond its limit, and Enter does nothing
// there (the form's default action) while Ctrl+Enter breaks the line.
class AnnotationEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit AnnotationEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
    void SetLimit(int limit) { m_limit = limit; }
    int Limit() const { return m_limit; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Fits(const QString& inserted) const;
    int m_limit = 4096;
};
