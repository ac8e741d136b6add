#pragma once

#include <QFont>

// The fonts of the windows' forms. Sizes are in pixels: the forms are laid out to the pixel.
class Fonts {
public:
    static QFont system(int pixels);
    static QFont courier(int pixels, bool bold = false);
};
