#include "files/PNGu.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

bool PNGu::SavePicture(const QString& path, const QImage& picture, float gamma) {
    // Qt 6's image writer has no gamma setting, so no gamma is written whatever its value.
    Q_UNUSED(gamma);
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    if (!writer.write(picture)) {
        file.cancelWriting();
        return false;
    }
    // commit() also fails when an earlier write to the file failed.
    return file.commit();
}
