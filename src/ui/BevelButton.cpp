#include "ui/BevelButton.h"

BevelButton::BevelButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAutoRaise(false);
}

void BevelButton::setPicture(const QPixmap& icon) {
    setIcon(QIcon(icon));
    setIconSize(icon.size());
    setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
}
