#pragma once

#include <QLabel>

// The caption beside a colour swatch; `index` is the colour it names.
class TexteCouleur : public QLabel {
    Q_OBJECT
public:
    TexteCouleur(int index, const QString& text, QWidget* parent);

    const int index;
};
