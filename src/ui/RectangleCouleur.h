#pragma once

#include <QColor>
#include <QWidget>

// A colour swatch: a rectangle filled with the colour under edit. A press on it asks for
// another colour; `index` tells the window which colour it shows.
class RectangleCouleur : public QWidget {
    Q_OBJECT
public:
    RectangleCouleur(int index, QWidget* parent);

    const int index;

    [[nodiscard]] QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor& color);

Q_SIGNALS:
    void mouseDown(RectangleCouleur* swatch);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_fill = Qt::white;
};
