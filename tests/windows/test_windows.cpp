#include "TestHarness.h"
#include "app/AboutWin.h"
#include "app/AlertWin.h"
#include "app/App.h"
#include "app/PaletteWin.h"
#include "maze/DocumentState.h"
#include "maze/Titre.h"
#include "settings/Reglageswin.h"
#include "ui/ChasingArrows.h"
#include "ui/Resources.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/ResizeHandle.h"
#include "view/THRnouveaulaby.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {
PaletteWin* palette() { return PaletteWin::instance(); }
LabyWin* maze() { return LabyWin::instance(); }
Reglageswin* settings() { return Reglageswin::instance(); }
App* app() { return App::instance(); }

QRgb canvasPixelOfCell(int x, int y) {
    const int e = maze()->Epaisseurtrait;
    const QImage shot = maze()->CVprincipal->grab().toImage();
    return shot.pixel(x * e + e / 2, y * e + e / 2) & 0xFFFFFFu;
}

QList<QPoint> cellsWithCode(const MazeGrid& grid, int code) {
    QList<QPoint> cells;
    for (int y = 0; y <= grid.Hauteur(); ++y)
        for (int x = 0; x <= grid.Largeur(); ++x)
            if (grid.at(x, y) == code)
                cells.append({x, y});
    return cells;
}
} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private:
    static void setThickness(const QString& text) { settings()->EFepaisseurtrait->setText(text); }

private Q_SLOTS:
    void initTestCase() { TestHarness::install(); }

    void init() { TestHarness::startProgram(); }

    void cleanup() { TestHarness::endTest(); }

    void startupShowsPaletteAndEmptyMazeWindow() {
        QCOMPARE(palette()->windowTitle(), QString("Palette"));
        QCOMPARE(palette()->size(), QSize(113, 404));
        QVERIFY(palette()->isVisible());
        QCOMPARE(maze()->windowTitle(), QString("Labyrinthe"));
        QVERIFY(maze()->isVisible());
        QCOMPARE(maze()->contentSize(), QSize(300, 300));
        QCOMPARE(maze()->CVprincipal->size(), QSize(270, 270));
        QCOMPARE(maze()->STdimensions->text(), QString("54*54 pts, 270*270 pxls"));
        QCOMPARE(maze()->Epaisseurtrait, 5);
        QVERIFY(!settings()->isVisible());
        QCOMPARE(settings()->windowTitle(), QString("Réglages"));
        QCOMPARE(Titre::FichText(), QString("Labyrinthe 1"));
        QCOMPARE(maze()->Couleurs.at(2), qRgb(255, 255, 0));
    }

    void artworkIsBuiltIn() {
        for (const QPixmap* picture : {&Resources::Cerclefond(), &Resources::Vignette(),
                                       &Resources::Coin(), &Resources::FondLabyrinthe()})
            QVERIFY(!picture->isNull());
        QCOMPARE(Resources::Coin().size(), QSize(20, 20));
        QVERIFY(!Resources::MoveCurs().pixmap().isNull());
        QVERIFY(!Resources::Curseurcoulchoosv2().pixmap().isNull());
    }

    void documentedControlsCarryTheirNames_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("palette") << "palette"
                                 << QStringList{"StaticText1",   "PBtracer",   "PBouvrir",
                                                "CAprincipales", "CBsolution", "PBreglages",
                                                "PBsauvegarder", "PBimprimer", "PBquitter"};
        QTest::newRow("maze") << "maze"
                              << QStringList{"CVprincipal",     "STdimensions", "Grower",
                                             "THRnouveaulaby1", "MenuBar1",     "FileMenu",
                                             "EditMenu"};
        QTest::newRow("settings") << "settings" << QStringList{"StaticText1",  "EFepaisseurtrait",
                                                               "StaticText2",  "StaticText5",
                                                               "Slider1",      "StaticText3",
                                                               "StaticText4",  "BevelButton2",
                                                               "BevelButton1", "Separator1",
                                                               "StaticText7",  "PMjeuregl",
                                                               "PushButton2",  "Timer1"};
    }

    void documentedControlsCarryTheirNames() {
        QFETCH(QString, window);
        QFETCH(QStringList, names);
        QObject* root = window == "palette" ? static_cast<QObject*>(palette())
                        : window == "maze"  ? static_cast<QObject*>(maze())
                                            : static_cast<QObject*>(settings());
        for (const QString& name : names)
            QVERIFY2(root->findChild<QObject*>(name), qPrintable(name));
    }

    void documentStates_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("tracer");
        QTest::addColumn<QString>("quitter");
        QTest::addColumn<bool>("reglages");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("menuText");
        QTest::addColumn<QString>("menuKey");
        QTest::newRow("no maze") << "none"
                                 << "Tracer"
                                 << "Quitter" << true << false << "Tracer"
                                 << "Ctrl+N";
        QTest::newRow("drawing") << "drawing"
                                 << "Stop!"
                                 << "Stop!" << false << false << "Stop!"
                                 << "Ctrl+.";
        QTest::newRow("maze present") << "present"
                                      << "Nouveau"
                                      << "Quitter" << true << true << "Nouveau"
                                      << "Ctrl+N";
    }

    void documentStates() {
        QFETCH(QString, state);
        QFETCH(QString, tracer);
        QFETCH(QString, quitter);
        QFETCH(bool, reglages);
        QFETCH(bool, present);
        QFETCH(QString, menuText);
        QFETCH(QString, menuKey);
        if (state == "drawing")
            palette()->BoutonNouveau(); // the run goes on from the event loop
        if (state == "present")
            QVERIFY(TestHarness::drawMaze());
        PaletteWin* p = palette();
        QCOMPARE(p->PBtracer->text(), tracer);
        QCOMPARE(p->PBquitter->text(), quitter);
        QCOMPARE(p->PBreglages->isEnabled(), reglages);
        QCOMPARE(p->PBreglages->text(), QString("Réglages >"));
        QCOMPARE(p->CBsolution->isEnabled(), present);
        QVERIFY(!p->CBsolution->isChecked());
        QCOMPARE(p->PBsauvegarder->isEnabled(), present);
        QCOMPARE(p->PBimprimer->isEnabled(), present);
        QVERIFY(p->PBouvrir->isEnabled());
        QVERIFY(p->PBtracer->isEnabled());
        QCOMPARE(app()->NouveauMen->text(), menuText);
        QCOMPARE(app()->NouveauMen->shortcut(), QKeySequence(menuKey));
        QCOMPARE(app()->SolMen->isEnabled(), present);
        QVERIFY(!app()->SolMen->isChecked());
        QCOMPARE(app()->SaveMen->isEnabled(), present);
        QCOMPARE(app()->PrintMen->isEnabled(), present);
        QVERIFY(app()->OpenMen->isEnabled());
        QCOMPARE(maze()->Laby, present);
        QCOMPARE(maze()->Grower->isVisibleTo(maze()), state != "drawing");
        // The arrows go at the canvas's next paint once the drawing is over.
        QTRY_COMPARE(p->CAprincipales->isVisibleTo(p), state == "drawing");
    }

    void stopEndsTheDrawingWithTheWallsGrownSoFar_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("draw button") << "tracer";
        QTest::newRow("quit button") << "quitter";
        QTest::newRow("menu item") << "menu";
    }

    void stopEndsTheDrawingWithTheWallsGrownSoFar() {
        QFETCH(QString, how);
        setThickness("1"); // a larger grid, still growing when the stop comes
        palette()->BoutonNouveau();
        QVERIFY(maze()->THRnouveaulaby1->isRunning());
        if (how == "tracer") {
            palette()->PBtracer->click();
        } else if (how == "quitter") {
            palette()->PBquitter->click();
            QCOMPARE(palette()->PBquitter->text(), QString("Quitter"));
            QCOMPARE(palette()->PBtracer->text(), QString("Stop!"));
            QVERIFY(!TestHarness::seen.size()); // it stopped, it did not quit
        } else {
            app()->NouveauMen->trigger();
        }
        QVERIFY(palette()->stopped);
        QTRY_COMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QVERIFY(!palette()->stopped);
        QVERIFY(maze()->Laby);
        QVERIFY(maze()->AllowRefresh);
        QVERIFY(!maze()->SolutionTrouvee);
        QVERIFY(palette()->PBsauvegarder->isEnabled());
        QVERIFY(palette()->CBsolution->isEnabled());
        QCOMPARE(palette()->PBquitter->text(), QString("Quitter"));
        QCOMPARE(maze()->MatriceLabyrinthe.at(1, 0), std::uint8_t(3));
    }

    void canvasSizeCheck_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("accepted");
        // Thickness 20: the canvas is 30 pixels smaller than the window's content.
        QTest::newRow("exactly three cells") << 90 << 90 << true;
        QTest::newRow("one pixel too narrow") << 89 << 90 << false;
        QTest::newRow("one pixel too low") << 90 << 89 << false;
    }

    void canvasSizeCheck() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, accepted);
        setThickness("20");
        maze()->setContentSize(width, height);
        if (accepted) {
            QVERIFY(TestHarness::drawMaze());
            QCOMPARE(maze()->Largeur, 2);
            QCOMPARE(maze()->Hauteur, 2);
            QCOMPARE(maze()->MatriceLabyrinthe.at(1, 1), std::uint8_t(0));
            QCOMPARE(maze()->MatriceLabyrinthe.at(1, 2), std::uint8_t(4));
        } else {
            TestHarness::answerMessage();
            palette()->BoutonNouveau();
            QCOMPARE(TestHarness::seen.value(0).text,
                     QString("La fenêtre est trop petite pour y tracer un labyrinthe. Veuillez "
                             "la redimensionner."));
            QCOMPARE(palette()->PBtracer->text(), QString("Tracer"));
        }
    }

    void hugeCanvasIsRefusedWithAMessage() {
        maze()->hide(); // nothing of this size is ever put on screen
        setThickness("1");
        maze()->setContentSize(LabyWin::MaximumSize, LabyWin::MaximumSize);
        TestHarness::answerMessage();
        palette()->BoutonNouveau();
        QCOMPARE(TestHarness::seen.size(), 1);
        QVERIFY(TestHarness::seen[0].text.startsWith("La fenêtre est trop grande"));
        QCOMPARE(palette()->PBtracer->text(), QString("Tracer"));
        QVERIFY(!maze()->THRnouveaulaby1->isRunning());
    }

    void newMazeAsksBeforeErasing_data() {
        QTest::addColumn<bool>("erase");
        QTest::newRow("Non keeps the maze") << false;
        QTest::newRow("Oui draws a new one") << true;
    }

    void newMazeAsksBeforeErasing() {
        QFETCH(bool, erase);
        QVERIFY(TestHarness::drawMaze());
        palette()->CBsolution->click();
        QVERIFY(maze()->SolutionTrouvee);
        const MazeGrid before = maze()->MatriceLabyrinthe;
        Titre::text = "Autre titre";
        TestHarness::answerAlert(erase);
        palette()->PBtracer->click();
        QCOMPARE(TestHarness::seen.size(), 1);
        QCOMPARE(TestHarness::seen[0].text, QString("Voulez vous vraiment effacer ce labyrinthe?"));
        QCOMPARE(TestHarness::seen[0].defaultCaption, QString("Oui"));
        QCOMPARE(TestHarness::seen[0].cancelCaption, QString("Non"));
        if (!erase) {
            QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
            QVERIFY(maze()->MatriceLabyrinthe == before);
            QVERIFY(palette()->CBsolution->isChecked());
            QCOMPARE(Titre::text, QString("Autre titre"));
            return;
        }
        QCOMPARE(Titre::text, QString("Labyrinthe 1"));
        QTRY_COMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QVERIFY(!maze()->SolutionTrouvee);
        QVERIFY(!palette()->CBsolution->isChecked());
        QVERIFY(!app()->SolMen->isChecked());
        QVERIFY(!palette()->autocheck);
        QVERIFY(cellsWithCode(maze()->MatriceLabyrinthe, 2).isEmpty());
    }

    void sameSeedDrawsTheSameMaze() {
        QVERIFY(TestHarness::drawMaze());
        const MazeGrid first = maze()->MatriceLabyrinthe;
        TestHarness::answerAlert(true);
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(maze()->MatriceLabyrinthe == first);
        THRnouveaulaby::fixedSeed = 777;
        TestHarness::answerAlert(true);
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(!(maze()->MatriceLabyrinthe == first));
    }

    void alertAnswersByKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Return is the default button") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape is the cancel button") << int(Qt::Key_Escape) << false;
    }

    void alertAnswersByKey() {
        QFETCH(int, key);
        QFETCH(bool, answer);
        TestHarness::answerAlertWithKey(key);
        QCOMPARE(app()->Alerte("Question?", "Oui", "Non"), answer);
        QCOMPARE(app()->RetourAlerte, answer);
    }

    void alertPutsTheDrawerAsideForTheQuestion() {
        palette()->PBreglages->click();
        QVERIFY(settings()->isVisible());
        QCOMPARE(palette()->PBreglages->text(), QString("Réglages <"));
        bool drawerVisibleDuringQuestion = true;
        TestHarness::answerWith([&](QDialog& dialog) {
            drawerVisibleDuringQuestion = settings()->isVisible();
            static_cast<AlertWin&>(dialog).PBdefaut->click();
        });
        QVERIFY(app()->Alerte("Première question", "Effacer", "Changer"));
        QVERIFY(!drawerVisibleDuringQuestion);
        QVERIFY(settings()->isVisible());
        QCOMPARE(palette()->PBreglages->text(), QString("Réglages <"));

        palette()->PBreglages->click();
        QVERIFY(!settings()->isVisible());
        TestHarness::answerAlert(false);
        QVERIFY(!app()->Alerte("Seconde question", "Oui", "Non"));
        QVERIFY(!settings()->isVisible());
        QCOMPARE(TestHarness::seen[1].text, QString("Seconde question"));
        QCOMPARE(TestHarness::seen[1].defaultCaption, QString("Oui"));
        QCOMPARE(TestHarness::seen[1].cancelCaption, QString("Non"));
    }

    void solutionIsFoundOnceAndShownByColour() {
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(cellsWithCode(maze()->MatriceLabyrinthe, 2).isEmpty());
        palette()->CBsolution->click();
        QVERIFY(maze()->SolutionTrouvee);
        QVERIFY(app()->SolMen->isChecked());
        const QList<QPoint> route = cellsWithCode(maze()->MatriceLabyrinthe, 2);
        QVERIFY(!route.isEmpty());
        QCOMPARE(route.first(), QPoint(1, 1));
        const QPoint cell = route.last();
        QCOMPARE(canvasPixelOfCell(cell.x(), cell.y()), qRgb(255, 255, 0) & 0xFFFFFFu);

        palette()->CBsolution->click(); // untick: same cells, hidden by colour
        QVERIFY(!app()->SolMen->isChecked());
        QCOMPARE(cellsWithCode(maze()->MatriceLabyrinthe, 2), route);
        QCOMPARE(canvasPixelOfCell(cell.x(), cell.y()), qRgb(255, 255, 255) & 0xFFFFFFu);
        QCOMPARE(canvasPixelOfCell(1, 0), qRgb(255, 0, 0) & 0xFFFFFFu);

        palette()->CBsolution->click();
        QCOMPARE(cellsWithCode(maze()->MatriceLabyrinthe, 2), route);
        QCOMPARE(canvasPixelOfCell(cell.x(), cell.y()), qRgb(255, 255, 0) & 0xFFFFFFu);
        QTRY_VERIFY(!palette()->CAprincipales->isVisibleTo(palette()));
    }

    void solutionMenuItemFollowsTheBox() {
        QVERIFY(TestHarness::drawMaze());
        app()->SolMen->trigger();
        QVERIFY(palette()->CBsolution->isChecked());
        QVERIFY(app()->SolMen->isChecked());
        QVERIFY(maze()->SolutionTrouvee);
        const QList<QPoint> route = cellsWithCode(maze()->MatriceLabyrinthe, 2);
        app()->SolMen->trigger();
        QVERIFY(!palette()->CBsolution->isChecked());
        QVERIFY(!app()->SolMen->isChecked());
        QCOMPARE(cellsWithCode(maze()->MatriceLabyrinthe, 2), route);
    }

    void programsUntickNeverSwallowsTheNextClick() {
        // The box is already unticked when the next drawing unticks it again.
        QVERIFY(TestHarness::drawMaze());
        TestHarness::answerAlert(true);
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(!palette()->autocheck);
        palette()->CBsolution->click();
        QVERIFY(maze()->SolutionTrouvee);
    }

    void unreachableExitIsReported() {
        QVERIFY(TestHarness::drawMaze());
        LabyWin* w = maze();
        w->MatriceLabyrinthe.set(w->SortieX, w->SortieY - 1, 1); // wall the exit in
        TestHarness::answerMessage();
        palette()->CBsolution->click();
        QCOMPARE(TestHarness::seen.size(), 1);
        QCOMPARE(TestHarness::seen[0].text,
                 QString("Aucun chemin ne relie l'entrée à la sortie de ce labyrinthe."));
        QVERIFY(!w->SolutionTrouvee);
        QVERIFY(cellsWithCode(w->MatriceLabyrinthe, 2).isEmpty());
    }

    void thicknessField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<QString>("unit");
        QTest::newRow("zero") << "0" << true << 5 << "pixels.";
        QTest::newRow("not a number") << "abc" << true << 5 << "pixels.";
        QTest::newRow("negative") << "-3" << true << 5 << "pixels.";
        QTest::newRow("above one byte") << "256" << true << 5 << "pixels.";
        QTest::newRow("one") << "1" << false << 1 << "pixel.";
        QTest::newRow("one point zero") << "1.0" << false << 1 << "pixels.";
        QTest::newRow("twelve") << "12" << false << 12 << "pixels.";
        QTest::newRow("truncated") << "7.9" << false << 7 << "pixels.";
        QTest::newRow("largest") << "255" << false << 255 << "pixels.";
    }

    void thicknessField() {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QFETCH(int, thickness);
        QFETCH(QString, unit);
        if (refused)
            TestHarness::answerMessage();
        setThickness(text);
        QCOMPARE(maze()->Epaisseurtrait, thickness);
        QCOMPARE(settings()->StaticText1->text(),
                 QString("Épaisseur des traits:             ") + unit);
        if (refused) {
            QCOMPARE(TestHarness::seen.value(0).text, QString("La valeur est incorrecte."));
            QCOMPARE(settings()->EFepaisseurtrait->text(), QString("5"));
            QCOMPARE(settings()->PMjeuregl->currentIndex(), 0);
        } else {
            QVERIFY(TestHarness::seen.isEmpty());
            QCOMPARE(settings()->PMjeuregl->currentText(), QString("Courants"));
        }
        QVERIFY(!settings()->AutoChargeRegs);
    }

    void emptyThicknessFieldChangesNothing() {
        setThickness("");
        QCOMPARE(maze()->Epaisseurtrait, 5);
        QVERIFY(TestHarness::seen.isEmpty());
    }

    void thicknessSizeTextFollows() {
        setThickness("7");
        QCOMPARE(maze()->STdimensions->text(), QString("38*38 pts, 270*270 pxls"));
    }

    void thicknessChangeWithAMaze_data() {
        QTest::addColumn<bool>("erase");
        QTest::newRow("Changer keeps the maze") << false;
        QTest::newRow("Effacer erases it") << true;
    }

    void thicknessChangeWithAMaze() {
        QFETCH(bool, erase);
        QVERIFY(TestHarness::drawMaze());
        const int columns = maze()->Largeur + 1;
        const int rows = maze()->Hauteur + 1;
        TestHarness::answerAlert(erase);
        setThickness("3");
        QCOMPARE(
            TestHarness::seen.value(0).text,
            QString("Préférez-vous changer la taille de la fenêtre ou effacer le labyrinthe?"));
        QCOMPARE(TestHarness::seen.value(0).defaultCaption, QString("Effacer"));
        QCOMPARE(TestHarness::seen.value(0).cancelCaption, QString("Changer"));
        QCOMPARE(maze()->Epaisseurtrait, 3);
        QCOMPARE(maze()->Laby, !erase);
        if (erase) {
            QCOMPARE(palette()->PBtracer->text(), QString("Tracer"));
        } else {
            QCOMPARE(maze()->contentSize(), QSize(columns * 3 + 30, rows * 3 + 31));
            QCOMPARE(maze()->CVprincipal->width(), columns * 3);
            QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        }
    }

    void sliderCaptions_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("highest") << 1000 << "100 %";
        QTest::newRow("lowest") << 0 << "0 %";
        QTest::newRow("half step") << 905 << "90.5 %";
    }

    void sliderCaptions() {
        QFETCH(int, value);
        QFETCH(QString, caption);
        settings()->Slider1->setValue(value);
        QCOMPARE(settings()->StaticText5->text(), caption);
        QTRY_COMPARE(settings()->CurrentValueSlider, value);
        QCOMPARE(settings()->PMjeuregl->currentText(), QString("Courants"));
        QVERIFY(TestHarness::seen.isEmpty());
    }

    void sliderChangeWithAMaze_data() {
        QTest::addColumn<bool>("erase");
        QTest::newRow("Non puts the slider back") << false;
        QTest::newRow("Oui erases the maze") << true;
    }

    void sliderChangeWithAMaze() {
        QFETCH(bool, erase);
        QVERIFY(TestHarness::drawMaze());
        TestHarness::answerAlert(erase);
        settings()->Slider1->setValue(500);
        QTRY_COMPARE(TestHarness::seen.size(), 1);
        QTest::qWait(60); // the move back must not ask a second time
        QCOMPARE(TestHarness::seen.size(), 1);
        QCOMPARE(TestHarness::seen[0].text, QString("Voulez vous vraiment effacer ce labyrinthe?"));
        QCOMPARE(settings()->Slider1->value(), erase ? 500 : 900);
        QCOMPARE(settings()->CurrentValueSlider, erase ? 500 : 900);
        QCOMPARE(maze()->Laby, !erase);
        QVERIFY(!settings()->SliderAutoMoving);
    }

    void resizeHandlePress_data() {
        QTest::addColumn<bool>("withMaze");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::newRow("maze, Non") << true << false << true;
        QTest::newRow("maze, Oui") << true << true << true;
        QTest::newRow("no maze") << false << true << false;
    }

    void resizeHandlePress() {
        QFETCH(bool, withMaze);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        if (withMaze)
            QVERIFY(TestHarness::drawMaze());
        if (asked)
            TestHarness::answerAlert(answer);
        QTest::mousePress(maze()->Grower, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(TestHarness::seen.size(), asked ? 1 : 0);
        QCOMPARE(maze()->AllowResizing, answer);
        QCOMPARE(maze()->Laby, withMaze && !answer);
        QTest::mouseRelease(maze()->Grower, Qt::LeftButton, {}, QPoint(10, 10));
        if (answer)
            QVERIFY(!maze()->AllowRefresh);
    }

    void resizeHandleDrag() {
        LabyWin* w = maze();
        QVERIFY(w->Grower_MouseDown(10, 10));
        // The window's corner follows the mouse with the mouse at the handle's centre; the
        // handle sits at (285, 285), 20 pixels square.
        w->Grower_MouseDrag(110, 60);
        QCOMPARE(w->contentSize(), QSize(285 + 110 + 10, 285 + 60 + 10));
        QCOMPARE(w->CVprincipal->size(), QSize(375, 325));
        // Mouse 30 pixels or less from the left edge: the width stays; the height follows.
        w->Grower_MouseDrag(-w->Grower->x() + 30, 10);
        QCOMPARE(w->contentSize(), QSize(405, 355 - 15 + 10 + 10));
        w->Grower_MouseDrag(-w->Grower->x() + 31, -w->Grower->y() + 30);
        QCOMPARE(w->contentSize(), QSize(LabyWin::MinimumSize, 360)); // 41 is below the minimum
        w->Grower_MouseUp(0, 0);
        QVERIFY(!w->AllowRefresh);
        QCOMPARE(w->STdimensions->text(), QString("9*66 pts, 48*330 pxls"));
    }

    void frameCannotResizeAShownMaze() {
        QVERIFY(maze()->minimumSize() != maze()->maximumSize());
        QVERIFY(TestHarness::drawMaze());
        QCOMPARE(maze()->minimumSize(), maze()->maximumSize());
        TestHarness::answerAlert(true);
        QVERIFY(maze()->Grower_MouseDown(1, 1));
        QVERIFY(maze()->minimumSize() != maze()->maximumSize());
    }

    void closingTheMazeWindowStopsTheDrawing() {
        setThickness("1");
        palette()->BoutonNouveau();
        QVERIFY(maze()->THRnouveaulaby1->isRunning());
        QPointer<LabyWin> closed = maze();
        closed->close();
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QVERIFY(!palette()->PBsauvegarder->isEnabled());
        QVERIFY(!palette()->CBsolution->isEnabled());
        QVERIFY(palette()->PBreglages->isEnabled());
        // A new window with an empty document takes its place.
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(maze()->Laby);
    }

    void closingTheMazeWindowLeavesNothingToSolveSaveOrPrint() {
        QVERIFY(TestHarness::drawMaze());
        palette()->CBsolution->click();
        QVERIFY(app()->SolMen->isEnabled());
        QPointer<LabyWin> closed = maze();
        closed->close();
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QCOMPARE(app()->NouveauMen->text(), QString("Nouveau"));
        for (QWidget* control : {static_cast<QWidget*>(palette()->CBsolution),
                                 static_cast<QWidget*>(palette()->PBsauvegarder),
                                 static_cast<QWidget*>(palette()->PBimprimer)})
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        for (QAction* item : {app()->SolMen, app()->SaveMen, app()->PrintMen})
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(palette()->PBreglages->isEnabled());
        QCOMPARE(DocumentState::instance().phase(), DocumentPhase::WindowClosed);
    }

    void settingsPopupRows() {
        QComboBox* rows = settings()->PMjeuregl;
        QCOMPARE(rows->count(), 3);
        QCOMPARE(rows->itemText(0), QString("Défaut"));
        QCOMPARE(rows->itemText(2), QString("Courants"));
        QCOMPARE(rows->currentIndex(), 0);
        QVERIFY(!settings()->JustRecall);
        settings()->MoRe();
        QCOMPARE(rows->currentIndex(), 2);
        QCOMPARE(settings()->Jeureglcourant, 2);
        settings()->ChargerListeReglages();
        QCOMPARE(rows->currentIndex(), 2);
        QVERIFY(!settings()->JustRecall);
    }

    void quitterClosesTheDrawerAndQuits() {
        palette()->PBreglages->click();
        QVERIFY(settings()->isVisible());
        palette()->PBquitter->click();
        QVERIFY(!settings()->isVisible());
    }

    void commandKeysWorkFromThePalette() {
        palette()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(palette()));
        QTest::keySequence(palette(), QKeySequence("Ctrl+N"));
        QVERIFY(maze()->THRnouveaulaby1->isRunning() || maze()->Laby);
        QTest::keySequence(palette(), QKeySequence("Ctrl+."));
        QTRY_COMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QTest::keySequence(palette(), QKeySequence("Ctrl+F"));
        QVERIFY(palette()->CBsolution->isChecked());
        QVERIFY(maze()->SolutionTrouvee);
    }

    void aboutWindowAndLinks() {
        QUrl opened;
        AboutWin::openUrl = [&](const QUrl& url) {
            opened = url;
        };
        TestHarness::answerWith([&](QDialog& dialog) {
            auto& about = static_cast<AboutWin&>(dialog);
            QCOMPARE(about.windowTitle(), QString("À propos..."));
            QCOMPARE(about.StaticText4->text(), QString("2.0.0"));
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(about.StaticText6, &enter);
            QCOMPARE(about.StaticText6->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QVERIFY(about.StaticText6->font().underline());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(about.StaticText6, &leave);
            QCOMPARE(about.StaticText6->palette().color(QPalette::WindowText), QColor(0, 0, 0));
            QVERIFY(!about.StaticText6->font().underline());
            QTest::mouseClick(about.StaticText6, Qt::LeftButton);
            QVERIFY(about.isVisible());
            QTest::keyClick(&about, Qt::Key_Return);
        });
        QTest::mouseClick(palette()->StaticText1, Qt::LeftButton);
        AboutWin::openUrl = nullptr;
        QCOMPARE(opened, QUrl("mailto:" + AboutWin::DeveloperAddress));
        QCOMPARE(TestHarness::seen.size(), 1);
    }
};

int main(int argc, char** argv) {
    App app(argc, argv);
    TestWindows tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_windows.moc"
