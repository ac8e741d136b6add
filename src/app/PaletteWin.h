#pragma once

#include "DocumentState.h"

#include <QPointer>
#include <QWidget>

class BackdropWidget;
class ChasingArrows;
class QCheckBox;
class QLabel;
class QPushButton;

// The control palette: draws, stops, opens, shows the solution, opens the settings drawer,
// saves, prints and quits; its captions and enabled states show the document state.
class PaletteWin : public QWidget {
    Q_OBJECT
public:
    static PaletteWin* instance();
    static PaletteWin* existing();

    bool stopped = false;   // the user asked the running generation to stop
    bool autocheck = false; // the solution box's next action comes from the program

    QLabel* StaticText1 = nullptr;
    QPushButton* PBtracer = nullptr;
    QPushButton* PBouvrir = nullptr;
    ChasingArrows* CAprincipales = nullptr;
    QCheckBox* CBsolution = nullptr;
    QPushButton* PBreglages = nullptr;
    QPushButton* PBsauvegarder = nullptr;
    QPushButton* PBimprimer = nullptr;
    QPushButton* PBquitter = nullptr;

    void Open();
    void BoutonNouveau();

    void PBtracer_Action();
    void PBouvrir_Action();
    void CBsolution_Action();
    void PBreglages_Action();
    void PBsauvegarder_Action();
    void PBimprimer_Action();
    void PBquitter_Action();
    bool StaticText1_MouseDown(int x, int y);

    // Body of the solution step: find the path once, repaint on every later change.
    void runSolutionStep();
    // Captions and enabled states of the palette and the menu items for one state.
    void applyDocumentState(DocumentState state);

protected:
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaletteWin();
    QPushButton* makeButton(const char* name, const QString& caption, QRect geometry);

    BackdropWidget* m_content = nullptr;
    static QPointer<PaletteWin> s_instance;
};
