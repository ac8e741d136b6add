#pragma once

#include "maze/ColorTable.h"
#include "maze/MazeGrid.h"

#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <cstdint>

class BackdropWidget;
class MazeCanvas;
class QAction;
class QMenu;
class ResizeHandle;
class THRnouveaulaby;

// The maze window. It owns the maze document: the grid and the properties below.
class LabyWin : public QMainWindow {
    Q_OBJECT
public:
    static LabyWin* instance(); // creates and opens the window on first use
    static LabyWin* existing(); // nullptr when none is open

    // Content sizes (the menu bar comes on top of them).
    static constexpr int InitialSize = 300;
    static constexpr int MinimumSize = 78;
    static constexpr int MaximumSize = 32000;
    static constexpr int CanvasMargin = 15;

    // The document.
    MazeGrid MatriceLabyrinthe;
    int Hauteur = 0;
    int Largeur = 0;
    int Epaisseurtrait = 5;
    bool AllowRefresh = false;
    int EntreeX = 0;
    int EntreeY = 0;
    int SortieX = 0;
    int SortieY = 0;
    bool SolutionTrouvee = false;
    bool Laby = false;
    QString CurrentFolderItem;
    QImage LabyrinthePicture;
    ColorTable Couleurs;
    int OptionFond = 0;
    bool AllowResizing = false;
    int VersionMeandrolithLabyrinthe = 0;
    QString VersionMeandrolithLabyrintheSpecial;

    // Controls.
    MazeCanvas* CVprincipal = nullptr;
    QLabel* STdimensions = nullptr;
    ResizeHandle* Grower = nullptr;
    THRnouveaulaby* THRnouveaulaby1 = nullptr;

    // Menu items of the menu bar.
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* EditMenu() const { return m_editMenu; }
    QAction* EditUndo() const;
    QAction* EditCut() const;
    QAction* EditCopy() const;
    QAction* EditPaste() const;
    QAction* EditClear() const;
    QAction* NouveauMen() const;
    QAction* OpenMen() const;
    QAction* SolMen() const;
    QAction* SaveMen() const;
    QAction* PrintMen() const;
    QAction* FileQuit() const;
    QAction* AboutMen() const;

    QString AfficherDimensions();
    void ClearCVlaby();
    bool ConvertToPicture(int format, bool withSolution);
    void ExportAsImage(int format, bool withSolution);
    void ExportAsImageFin(int format);
    void FindSolution();
    void CVprincipal_Paint(QPainter& g);
    bool Grower_MouseDown(int x, int y);
    void Grower_MouseDrag(int x, int y);
    void Grower_MouseUp(int x, int y);

    // Refreshes the window: fits it around a shown maze, then repaints it.
    void Refresh();
    // Tells the canvas that the grid's cells changed (generation, solution, file).
    void markGridChanged() { ++m_gridVersion; }

    [[nodiscard]] QSize contentSize() const;
    void setContentSize(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit LabyWin(QWidget* parent = nullptr);
    void Open();
    void layoutControls();
    void updateSizeLock();
    void applyBackground();
    int menuBarHeight() const;

    BackdropWidget* m_content = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    std::uint64_t m_gridVersion = 1;

    static QPointer<LabyWin> s_instance;
};
