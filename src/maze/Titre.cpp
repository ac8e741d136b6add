#include "maze/Titre.h"

void Titre::reset() {
    text = QStringLiteral("Labyrinthe 1");
    police = QStringLiteral("Arial");
    size = 30;
    Couleur = QColor(0, 0, 0);
    bold = false;
    italic = false;
    underline = false;
}

QString Titre::FichText() { return text.left(32); }
