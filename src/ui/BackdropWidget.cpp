#include "ui/BackdropWidget.h"

#include "ui/Resources.h"

#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

BackdropWidget::BackdropWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BackdropWidget* BackdropWidget::fill(QWidget& window) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* content = new BackdropWidget(&window);
    content->setBackdrop(Resources::FondLabyrinthe());
    layout->addWidget(content);
    return content;
}

void BackdropWidget::paintWhite(QWidget& window) {
    window.setAutoFillBackground(true);
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
}

void BackdropWidget::setBackdrop(const QPixmap& picture) {
    if (picture.cacheKey() == m_backdrop.cacheKey() && picture.isNull() == m_backdrop.isNull())
        return;
    m_backdrop = picture;
    update();
}

void BackdropWidget::setBackgroundColor(const QColor& color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void BackdropWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), m_color);
    if (!m_backdrop.isNull())
        painter.drawTiledPixmap(event->rect(), m_backdrop, event->rect().topLeft());
}
