#pragma once

#include <QToolButton>

// A flat-faced button showing its caption and, where it has one, an icon beside it.
class BevelButton : public QToolButton {
    Q_OBJECT
public:
    explicit BevelButton(const QString& caption, QWidget* parent = nullptr);
    void setPicture(const QPixmap& icon);
};
