#include "ui/GapLabel.h"

#include <QPainter>
#include <QRegularExpression>

GapLabel::GapLabel(const QString& text, int wordsAfterGapAt, QWidget* parent)
    : QLabel(text, parent), m_wordsAfterGapAt(wordsAfterGapAt) {}

void GapLabel::paintEvent(QPaintEvent*) {
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    const QRegularExpressionMatch match = gap.match(text());
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter;
    if (!match.hasMatch()) {
        painter.drawText(area, flags, text());
        return;
    }
    painter.drawText(area, flags, text().left(match.capturedStart()));
    painter.drawText(area.adjusted(m_wordsAfterGapAt, 0, 0, 0), flags,
                     text().mid(match.capturedEnd()));
}
