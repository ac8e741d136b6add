#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// Window content that paints a background colour and, optionally, a tiled backdrop picture.
class BackdropWidget : public QWidget {
    Q_OBJECT
public:
    explicit BackdropWidget(QWidget* parent = nullptr);
    // Fills `window` with a white backdrop showing the decorative maze picture.
    static BackdropWidget* fill(QWidget& window);
    // A plain white window background, without the picture.
    static void paintWhite(QWidget& window);

    void setBackdrop(const QPixmap& picture); // a null picture removes it
    [[nodiscard]] bool hasBackdrop() const { return !m_backdrop.isNull(); }
    void setBackgroundColor(const QColor& color);
    [[nodiscard]] QColor backgroundColor() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_backdrop;
    QColor m_color = Qt::white;
};
