#pragma once

#include <QString>

class QImage;

// The PNG writer: writes `picture` to `path` atomically; true when the file was written.
// A gamma of 0 (the default) writes no gamma information.
class PNGu {
public:
    static bool SavePicture(const QString& path, const QImage& picture, float gamma = 0.0f);
};
