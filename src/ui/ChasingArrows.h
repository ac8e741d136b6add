#pragma once

#include <QTimer>
#include <QWidget>

// The busy indicator: arrows chasing each other round a circle while it is shown.
class ChasingArrows : public QWidget {
    Q_OBJECT
public:
    explicit ChasingArrows(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer m_turn;
    int m_angle = 0;
};
