#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file types the program registers at start-up: a name, a creator, a four-character
// type code and the extensions that carry it.
class FileTypes {
public:
    struct FileType {
        QString name;
        QString creator;
        QString typeCode;
        QStringList extensions;
    };

    // Replaces the registered types; the order is kept.
    static void registerTypes(QList<FileType> types);
    [[nodiscard]] static const QList<FileType>& registered();
    [[nodiscard]] static const FileType* named(const QString& name);
    // Type code from the extension, in any letter case; empty when no type claims it.
    [[nodiscard]] static QString typeCodeFor(const QString& fileName);
    // "MND2" for a tagged file (by its first bytes, whatever its name), otherwise the type
    // code of the extension.
    [[nodiscard]] static QString typeCodeOf(const QString& path);

private:
    static QList<FileType>& table();
};
