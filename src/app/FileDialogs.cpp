#include "FileDialogs.h"

#include "App.h"
#include "ModalSeam.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& folderUsedLast() {
    static QString folder;
    return folder;
}

// "Labyrinthe2 (*.mndr *.MNDR)": Linux names are case-sensitive, the types are not.
QString filterFor(const App::FileType& type) {
    QStringList patterns;
    for (const QString& extension : type.extensions) {
        patterns << QLatin1Char('*') + extension;
        patterns << QLatin1Char('*') + extension.toUpper();
    }
    return type.name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

const App::FileType* typeNamed(const QString& name) {
    for (const App::FileType& type : App::instance()->fileTypes())
        if (type.name == name)
            return &type;
    return nullptr;
}

QString run(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(FileDialogs::lastFolder());
    if (ModalSeam::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    FileDialogs::setLastFolder(QFileInfo(chosen).absolutePath());
    return chosen;
}
} // namespace

QString FileDialogs::lastFolder() {
    if (folderUsedLast().isEmpty())
        folderUsedLast() = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folderUsedLast();
}

void FileDialogs::setLastFolder(const QString& folder) { folderUsedLast() = folder; }

QString FileDialogs::save(QWidget* parent, const QString& typeName, const QString& proposedName) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (const App::FileType* type = typeNamed(typeName)) {
        dialog.setNameFilter(filterFor(*type));
        dialog.setDefaultSuffix(type->extensions.value(0).mid(1));
    }
    dialog.selectFile(proposedName);
    return run(dialog);
}

QString FileDialogs::openMaze(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Both kinds at once first, then each kind alone.
    App::FileType both{QStringLiteral("Labyrinthe2, Labyrinthe1"), {}, {}, {}};
    QStringList filters;
    for (const QString& name : {QStringLiteral("Labyrinthe2"), QStringLiteral("Labyrinthe1")}) {
        if (const App::FileType* type = typeNamed(name)) {
            filters << filterFor(*type);
            both.extensions << type->extensions;
        }
    }
    filters.prepend(filterFor(both));
    dialog.setNameFilters(filters);
    return run(dialog);
}
