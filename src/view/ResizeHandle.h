#pragma once

#include <QWidget>

#include <functional>

// The resize handle in the maze window's corner. A press asks the window whether a drag
// may begin; only then do moves and the release reach it.
class ResizeHandle : public QWidget {
    Q_OBJECT
public:
    explicit ResizeHandle(QWidget* parent = nullptr);

    std::function<bool(int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseDrag;
    std::function<void(int x, int y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_dragging = false;
};
