#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// What the windows ask of the application above them: questions, the menus, and the file
// commands that read or write the whole document. The application implements it.
class Shell {
public:
    virtual ~Shell();

    // The application's shell; nullptr before it is made.
    static Shell* current();

    // The two-button alert; true for the default button.
    virtual bool Alerte(const QString& message, const QString& defaultCaption,
                        const QString& cancelCaption) = 0;

    virtual void populateMenuBar(QMenuBar& bar, QMenu*& fileMenu, QMenu*& editMenu) = 0;
    // Menu items, active from every window.
    [[nodiscard]] virtual QList<QAction*> menuActions() const = 0;
    // The menu item with this object name, or nullptr.
    [[nodiscard]] QAction* menuItem(const QString& name) const;

    // Reads a tagged file as a settings set is recalled: no question, no announcement.
    virtual void recallSettingsFile(const QString& path) = 0;
    // Stores the current settings; false (and a message) when it could not be written.
    virtual bool writeSettingsFile(const QString& path) = 0;

protected:
    Shell();
};
