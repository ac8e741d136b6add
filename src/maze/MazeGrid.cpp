#include "maze/MazeGrid.h"

void MazeGrid::resize(int largeur, int hauteur) {
    m_cells.clear();
    if (largeur < 0 || hauteur < 0) {
        m_largeur = -1;
        m_hauteur = -1;
        m_cells.shrink_to_fit();
        return;
    }
    m_largeur = largeur;
    m_hauteur = hauteur;
    m_cells.assign(static_cast<std::size_t>(largeur + 1) * static_cast<std::size_t>(hauteur + 1),
                   0);
}
