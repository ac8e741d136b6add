#pragma once

#include <QString>

// Reads numbers out of what the user typed the forgiving way the fields expect:
// the number the text begins with ("7.9 px" gives 7.9); text that begins with no number
// gives 0.
class NumberText {
public:
    static double leadingValue(const QString& text);
};
