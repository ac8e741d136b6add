#include "ui/RectangleCouleur.h"

#include "ui/Resources.h"

#include <QMouseEvent>
#include <QPainter>

RectangleCouleur::RectangleCouleur(int colorIndex, QWidget* parent)
    : QWidget(parent), index(colorIndex) {
    setCursor(Resources::Curseurcoulchoosv2());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RectangleCouleur::setFillColor(const QColor& color) {
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void RectangleCouleur::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn opaque: a colour with transparency from a file still shows as a solid swatch.
    QColor solid = m_fill;
    solid.setAlpha(255);
    painter.fillRect(rect(), solid);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RectangleCouleur::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    Q_EMIT mouseDown(this);
}
