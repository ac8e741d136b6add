#include "maze/NumberText.h"

double NumberText::leadingValue(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text.at(digitsStart) == u'.'))
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}
