#pragma once

#include "files/TaggedFile.h"

#include <QString>

#include <functional>

class QIODevice;

// The maze file operations of the windows: save and open in the tagged and version-1
// formats, applying what a file holds to the maze window, the settings and the title.
class FichierLabyrinthe {
public:
    // True when the file being opened was chosen by the user; false while a settings set
    // is recalled, which then asks nothing and announces nothing.
    static inline bool DirectFichier = true;

    static void Sauvegarder();
    static void SauvegarderAncien();
    static void Ouvrir(const QString& path);
    static void OuvrirAncien(const QString& path);

    // The current settings as the tagged writers store them.
    static TaggedFile::Settings currentSettings();
    // Writes a settings file atomically; false (and a message) when it could not be written.
    static bool writeSettingsFile(const QString& path);

    // "MND2" for a tagged file (by its first bytes, whatever its name), "????" for a
    // version-1 file, otherwise the type code of the extension.
    static QString typeCodeOf(const QString& path);

private:
    static bool writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);
    static void stopDrawing();
};
