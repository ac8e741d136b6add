#include "ui/FileDialogs.h"

#include "files/FileTypes.h"
#include "ui/ModalSeam.h"

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
QString filterFor(const FileTypes::FileType& type) {
    QStringList patterns;
    for (const QString& extension : type.extensions) {
        patterns << QLatin1Char('*') + extension;
        patterns << QLatin1Char('*') + extension.toUpper();
    }
    return type.name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
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
    if (const FileTypes::FileType* type = FileTypes::named(typeName)) {
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
    FileTypes::FileType both{QStringLiteral("Labyrinthe2, Labyrinthe1"), {}, {}, {}};
    QStringList filters;
    for (const QString& name : {QStringLiteral("Labyrinthe2"), QStringLiteral("Labyrinthe1")}) {
        if (const FileTypes::FileType* type = FileTypes::named(name)) {
            filters << filterFor(*type);
            both.extensions << type->extensions;
        }
    }
    filters.prepend(filterFor(both));
    dialog.setNameFilters(filters);
    return run(dialog);
}
