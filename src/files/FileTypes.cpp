#include "files/FileTypes.h"

#include "files/TaggedFile.h"

#include <QFile>
#include <QFileInfo>

QList<FileTypes::FileType>& FileTypes::table() {
    static QList<FileType> types;
    return types;
}

void FileTypes::registerTypes(QList<FileType> types) { table() = std::move(types); }

const QList<FileTypes::FileType>& FileTypes::registered() { return table(); }

const FileTypes::FileType* FileTypes::named(const QString& name) {
    for (const FileType& type : table())
        if (type.name == name)
            return &type;
    return nullptr;
}

QString FileTypes::typeCodeFor(const QString& fileName) {
    const QString suffix = QLatin1Char('.') + QFileInfo(fileName).suffix().toLower();
    for (const FileType& type : table()) {
        if (type.extensions.contains(suffix))
            return type.typeCode;
    }
    return {};
}

QString FileTypes::typeCodeOf(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) &&
        TaggedFile::startsWithHeader(file.read(TaggedFile::header().size())))
        return QStringLiteral("MND2");
    return typeCodeFor(path);
}
