#pragma once

#include <QString>

class QWidget;

// The open and save dialogs, filtered by the registered file types. They open in the
// folder used last (at first the user's documents folder) and run through ModalSeam.
class FileDialogs {
public:
    // Empty when the user cancels.
    static QString save(QWidget* parent, const QString& typeName, const QString& proposedName);
    static QString openMaze(QWidget* parent);

    static QString lastFolder();
    static void setLastFolder(const QString& folder);
};
