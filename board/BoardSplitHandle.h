#pragma once

#include <QWidget>

// The strip between the board and the text: dragged, it gives the board the
// share of the window up to where it is let go; double-clicked, all the
// board can take.
class BoardSplitHandle : public QWidget {
    Q_OBJECT
public:
    explicit BoardSplitHandle(QWidget* parent);
    // Across the window's width when the board stands above the text.
    void SetAcross(bool across);

signals:
    // Where the pointer is, in the parent's coordinates, while dragging.
    void Dragged(QPoint at);
    void Maximize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_across = false;
};
