#include "ui/TexteCouleur.h"

TexteCouleur::TexteCouleur(int colorIndex, const QString& text, QWidget* parent)
    : QLabel(text, parent), index(colorIndex) {}
