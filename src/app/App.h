#pragma once

#include "files/FileTypes.h"
#include "ui/Shell.h"

#include <QApplication>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

// The application object: file types, menu items and their handlers, and the alert.
class App : public QApplication, public Shell {
    Q_OBJECT
public:
    using FileType = FileTypes::FileType;

    App(int& argc, char** argv);
    ~App() override;

    static App* instance();

    // Start-up: file types, menu items, then the palette, which opens the other windows.
    void Demarrer();

    // The answer of the last two-button alert.
    bool RetourAlerte = false;
    // Asks a question in the alert; true for the default button.
    bool Alerte(const QString& message, const QString& defaultCaption,
                const QString& cancelCaption) override;

    // The registered file types, in registration order.
    [[nodiscard]] const QList<FileType>& fileTypes() const { return FileTypes::registered(); }

    // Menu items, shared by every maze window's menu bar and active from every window.
    QAction* NouveauMen = nullptr;
    QAction* OpenMen = nullptr;
    QAction* SolMen = nullptr;
    QAction* SaveMen = nullptr;
    QAction* PrintMen = nullptr;
    QAction* FileQuit = nullptr;
    QAction* EditUndo = nullptr;
    QAction* EditCut = nullptr;
    QAction* EditCopy = nullptr;
    QAction* EditPaste = nullptr;
    QAction* EditClear = nullptr;
    QAction* AboutMen = nullptr;

    void populateMenuBar(QMenuBar& bar, QMenu*& fileMenu, QMenu*& editMenu) override;
    [[nodiscard]] QList<QAction*> menuActions() const override;

    void recallSettingsFile(const QString& path) override;
    bool writeSettingsFile(const QString& path) override;

    // A document the desktop or the command line asks the program to open.
    void OpenDocument(const QString& path);

    bool AboutMen_Action();
    bool NouveauMen_Action();
    bool OpenMen_Action();
    bool SolMen_Action();
    bool PrintMen_Action();
    bool SaveMen_Action();

private:
    void registerFileTypes();
    void createMenuItems();
    QAction* makeItem(const QString& name, const QString& text, const QString& key, bool enabled);
    void EnableMenuItems();
};
