#include "maze/ColorTable.h"

#include "maze/CellCode.h"

void ColorTable::resetToDefaults() {
    m_colors = {qRgb(255, 255, 255), qRgb(0, 0, 0),     qRgb(255, 255, 0), qRgb(255, 0, 0),
                qRgb(0, 255, 0),     qRgb(0, 255, 255), qRgb(0, 0, 0)};
}

QRgb ColorTable::Couleur(int code) const {
    if (code < 0 || code >= Size)
        return m_colors[0];
    return m_colors[static_cast<std::size_t>(code)];
}

QRgb ColorTable::CouleurES(int code) const {
    return code == CellCode::Solution ? m_colors[0] : Couleur(code);
}

std::array<QRgb, 256> ColorTable::lookupTable(bool withSolution) const {
    std::array<QRgb, 256> table{};
    for (int code = 0; code < 256; ++code)
        table[static_cast<std::size_t>(code)] = withSolution ? Couleur(code) : CouleurES(code);
    return table;
}
