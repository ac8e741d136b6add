#include "ui/Shell.h"

#include <QAction>

namespace {
Shell* s_current = nullptr;
}

Shell::Shell() { s_current = this; }

Shell::~Shell() {
    if (s_current == this)
        s_current = nullptr;
}

Shell* Shell::current() { return s_current; }

QAction* Shell::menuItem(const QString& name) const {
    for (QAction* item : menuActions())
        if (item->objectName() == name)
            return item;
    return nullptr;
}
