#include "files/PictureFiles.h"

#include "files/PNGu.h"
#include "files/PictWriter.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <functional>

namespace {

void setReason(QString* reason, const QString& text) {
    if (reason != nullptr)
        *reason = text;
}

// Opens a QSaveFile on `path`, lets `fill` write it, commits only when all went well.
// `fill` returns an empty string on success, else why it failed.
bool saveAtomically(const QString& path, QString* reason,
                    const std::function<QString(QSaveFile&)>& fill) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setReason(reason, file.errorString());
        return false;
    }
    const QString failure = fill(file);
    if (!failure.isEmpty()) {
        // A write error of the file itself says more than the writer's own words.
        setReason(reason, file.error() != QFileDevice::NoError ? file.errorString() : failure);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setReason(reason, file.errorString());
        return false;
    }
    return true;
}

// PNGu reports no reason: a save file opened and dropped at the same path gives the
// usual one (missing folder, no permission) without touching an existing file.
QString pngFailureReason(const QString& path) {
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    probe.cancelWriting();
    return QStringLiteral("Le fichier PNG n'a pas pu être écrit.");
}

} // namespace

bool PictureFiles::write(Format format, const QImage& picture, const QString& path,
                         QString* reason) {
    if (picture.isNull()) {
        setReason(reason, QStringLiteral("L'image est vide."));
        return false;
    }
    switch (format) {
    case Jpeg:
        return saveAtomically(path, reason, [&picture](QSaveFile& file) {
            QImageWriter writer(&file, "jpeg");
            writer.setQuality(JpegQuality);
            if (writer.write(picture))
                return QString();
            const QString error = writer.errorString();
            return error.isEmpty() ? QStringLiteral("Le fichier JPEG n'a pas pu être écrit.")
                                   : error;
        });
    case Pict:
        return saveAtomically(path, reason, [&picture](QSaveFile& file) {
            if (PictWriter::write(picture, file))
                return QString();
            return QStringLiteral("L'image est trop grande pour le format PICT.");
        });
    case Png:
        if (PNGu::SavePicture(path, picture))
            return true;
        setReason(reason, pngFailureReason(path));
        return false;
    }
    setReason(reason, QStringLiteral("Format d'image inconnu."));
    return false;
}

QString PictureFiles::extension(Format format) {
    switch (format) {
    case Jpeg:
        return QStringLiteral(".jpg");
    case Pict:
        return QStringLiteral(".pct");
    case Png:
        return QStringLiteral(".png");
    }
    return {};
}
