#include "BoardSplitHandle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

BoardSplitHandle::BoardSplitHandle(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setToolTip(
        QStringLiteral("Drag to share the window between the board and the text; "
                       "double-click to give the board all it can take"));
}

void BoardSplitHandle::SetAcross(bool across) {
    m_across = across;
    setCursor(across ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void BoardSplitHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state = m_across ? QStyle::State_None : QStyle::State_Horizontal;
    if (underMouse()) option.state |= QStyle::State_MouseOver;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

void BoardSplitHandle::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    event->accept();
}

void BoardSplitHandle::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    emit Dragged(mapToParent(event->position().toPoint()));
}

void BoardSplitHandle::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Maximize();
}
