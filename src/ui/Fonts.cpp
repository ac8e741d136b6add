#include "ui/Fonts.h"

#include <QApplication>

QFont Fonts::system(int pixels) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    return font;
}

QFont Fonts::courier(int pixels, bool bold) {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
