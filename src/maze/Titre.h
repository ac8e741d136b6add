#pragma once

#include <QColor>
#include <QString>

// The maze's title, shared by the whole program: printed with the maze, stored in files,
// and the stem of every proposed file name.
class Titre {
public:
    static inline QString text;
    static inline QString police;
    static inline int size = 0;
    static inline QColor Couleur;
    static inline bool bold = false;
    static inline bool italic = false;
    static inline bool underline = false;

    static void reset();
    // The first 32 characters of the title: the proposed name of saved files.
    static QString FichText();
};
