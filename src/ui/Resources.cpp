#include "ui/Resources.h"

#include <QHash>
#include <QIcon>

namespace {
const QPixmap& picture(int id) {
    // Kept for the program's lifetime, as the windows expect; loaded on first use.
    static QHash<int, QPixmap> loaded;
    auto it = loaded.find(id);
    if (it == loaded.end())
        it = loaded.insert(id, QPixmap(QStringLiteral(":/picture/%1").arg(id)));
    return *it;
}
} // namespace

const QPixmap& Resources::Cerclefond() { return picture(168); }
const QPixmap& Resources::Vignette() { return picture(170); }
const QPixmap& Resources::Coin() { return picture(171); }
const QPixmap& Resources::FondLabyrinthe() { return picture(172); }

QCursor Resources::Curseurcoulchoosv2() {
    return QCursor(QPixmap(QStringLiteral(":/cursor/168")), 2, 29);
}

QCursor Resources::MoveCurs() { return QCursor(QPixmap(QStringLiteral(":/cursor/169")), 16, 16); }

QIcon Resources::applicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icon/meandrolith.png"));
    icon.addFile(QStringLiteral(":/icon/meandrolith-64.png"));
    return icon;
}
