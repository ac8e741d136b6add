#include "view/ResizeHandle.h"

#include "ui/Resources.h"

#include <QMouseEvent>
#include <QPainter>

ResizeHandle::ResizeHandle(QWidget* parent) : QWidget(parent) { setCursor(Qt::SizeFDiagCursor); }

void ResizeHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Resources::Coin());
}

void ResizeHandle::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    m_dragging = onMouseDown ? onMouseDown(p.x(), p.y()) : false;
}

void ResizeHandle::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint p = event->position().toPoint();
    if (onMouseDrag)
        onMouseDrag(p.x(), p.y());
}

void ResizeHandle::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    const QPoint p = event->position().toPoint();
    if (onMouseUp)
        onMouseUp(p.x(), p.y());
}
