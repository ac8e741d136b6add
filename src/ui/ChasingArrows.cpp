#include "ui/ChasingArrows.h"

#include <QPainter>
#include <QPainterPath>

ChasingArrows::ChasingArrows(QWidget* parent) : QWidget(parent) {
    m_turn.setInterval(60);
    connect(&m_turn, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void ChasingArrows::showEvent(QShowEvent*) { m_turn.start(); }
void ChasingArrows::hideEvent(QHideEvent*) { m_turn.stop(); }

void ChasingArrows::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - 8.0;
    const QRectF circle((width() - side) / 2, (height() - side) / 2, side, side);
    p.translate(circle.center());
    p.rotate(m_angle);
    p.translate(-circle.center());
    QPen pen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    for (int arc = 0; arc < 2; ++arc) {
        const int start = arc * 180 * 16;
        p.drawArc(circle, start, 120 * 16);
        // Arrow head at the end of each arc.
        const qreal endAngle = qDegreesToRadians(arc * 180.0 + 120.0);
        const QPointF tip(circle.center().x() + side / 2 * std::cos(endAngle),
                          circle.center().y() - side / 2 * std::sin(endAngle));
        const QPointF tangent(-std::sin(endAngle), -std::cos(endAngle));
        const QPointF normal(std::cos(endAngle), -std::sin(endAngle));
        QPainterPath head;
        head.moveTo(tip + tangent * 5);
        head.lineTo(tip + normal * 5);
        head.lineTo(tip - normal * 5);
        head.closeSubpath();
        p.fillPath(head, pen.color());
    }
}
