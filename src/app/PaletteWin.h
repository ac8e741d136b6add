#pragma once

#include "maze/DocumentState.h"

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

    // The document's stop request: the user asked the running generation to stop.
    class StopFlag {
    public:
        explicit operator bool() const { return DocumentState::instance().stopRequested(); }
        StopFlag& operator=(bool requested) {
            DocumentState::instance().setStopRequested(requested);
            return *this;
        }
    };
    StopFlag stopped;
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
    // Captions and enabled states of the palette and the menu items for one phase.
    void applyDocumentState(DocumentPhase phase);

protected:
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaletteWin();
    QPushButton* makeButton(const char* name, const QString& caption, QRect geometry);
    void observeDocument();
    // Ticks or unticks the box as the document says; the program's own untick during a
    // drawing is swallowed by `autocheck`.
    void showSolutionState(bool shown);

    BackdropWidget* m_content = nullptr;
    // The quit button stops a drawing until it is pressed once during it, then quits.
    bool m_quitStopsDrawing = false;
    static QPointer<PaletteWin> s_instance;
};
