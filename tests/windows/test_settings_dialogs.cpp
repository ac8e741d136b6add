#include "TestHarness.h"
#include "app/App.h"
#include "app/PaletteWin.h"
#include "maze/CellCode.h"
#include "maze/Titre.h"
#include "settings/CoulWin.h"
#include "settings/Reglageswin.h"
#include "settings/TitreWin.h"
#include "ui/RectangleCouleur.h"
#include "ui/TexteCouleur.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <climits>
#include <functional>

namespace {
LabyWin* maze() { return LabyWin::instance(); }
Reglageswin* settings() { return Reglageswin::instance(); }

// Queues an answer that drives the dialog of type D; a step that fails leaves the dialog
// open, so it is closed here whatever happened.
template <typename D> void answerDialog(std::function<void(D&)> steps) {
    TestHarness::answerWith([steps](QDialog& dialog) {
        if (auto* window = qobject_cast<D*>(&dialog))
            steps(*window);
        else
            QTest::qFail(qPrintable("unexpected dialog " + dialog.windowTitle()), __FILE__,
                         __LINE__);
        if (dialog.isVisible())
            dialog.reject();
    });
}

// Answers the next colour picker: records its title and first colour, then confirms
// `choice`, or cancels when `choice` is invalid.
struct PickerSeen {
    QString title;
    QColor initial;
};
void answerPicker(const QColor& choice, PickerSeen* seen = nullptr) {
    TestHarness::answerWith([choice, seen](QDialog& dialog) {
        auto* picker = qobject_cast<QColorDialog*>(&dialog);
        if (!picker) {
            dialog.reject();
            QFAIL("the colour picker was expected");
        }
        if (seen)
            *seen = {picker->windowTitle(), picker->currentColor()};
        if (!choice.isValid()) {
            picker->reject();
            return;
        }
        picker->setCurrentColor(choice);
        picker->accept();
    });
}

void press(QWidget* swatch) { QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(10, 10)); }

QRgb canvasPixelOfCell(int x, int y) {
    const int e = maze()->Epaisseurtrait;
    const QImage shot = maze()->CVprincipal->grab().toImage();
    return shot.pixel(x * e + e / 2, y * e + e / 2) & 0xFFFFFFu;
}

QPoint firstCellWithCode(const MazeGrid& grid, int code) {
    for (int y = 0; y <= grid.Hauteur(); ++y)
        for (int x = 0; x <= grid.Largeur(); ++x)
            if (grid.at(x, y) == code)
                return {x, y};
    return {-1, -1};
}

// The size a title field shows for a stored size of 0 or less.
bool showsDefaultSize(const QFont& font) {
    const QFont standard = QApplication::font();
    return standard.pixelSize() > 0 ? font.pixelSize() == standard.pixelSize()
                                    : font.pointSizeF() == standard.pointSizeF();
}
} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestHarness::install(); }

    void init() { TestHarness::startProgram(); }

    void cleanup() { TestHarness::endTest(); }

    // ---- Colours ----

    void colourDialogOpensOnTheDocument() {
        maze()->Couleurs.set(3, qRgb(1, 2, 3));
        maze()->OptionFond = 2;
        answerDialog<CoulWin>([](CoulWin& w) {
            QCOMPARE(w.windowTitle(), QString("Couleurs"));
            QCOMPARE(w.size(), QSize(321, 175));
            const QStringList captions{"Chemins", "Murs", "Solution", "Entrée", "Sortie", "Test"};
            for (int i = 0; i < CoulWin::SwatchCount; ++i) {
                QCOMPARE(w.swatches[i]->index, i);
                QCOMPARE(w.labels[i]->index, i);
                QCOMPARE(w.labels[i]->text(), captions[i]);
                QCOMPARE(w.swatches[i]->fillColor().rgba(), maze()->Couleurs.at(i));
                QCOMPARE(w.swatches[i]->isVisible(), i != CoulWin::TestIndex);
                QCOMPARE(w.labels[i]->isVisible(), i != CoulWin::TestIndex);
            }
            QCOMPARE(w.PMoptionfond->count(), 3);
            QCOMPARE(w.PMoptionfond->itemText(0), QString("de la couleur des chemins"));
            QCOMPARE(w.PMoptionfond->itemText(1), QString("blanc"));
            QCOMPARE(w.PMoptionfond->itemText(2), QString("en labyrinthes clairs"));
            QCOMPARE(w.PMoptionfond->currentIndex(), 2);
            QCOMPARE(w.StaticText1->text(), QString("Fond de la fenêtre"));
            QCOMPARE(w.PushButton1->text(), QString("Modifier"));
            QVERIFY(w.PushButton1->isDefault());
            QCOMPARE(w.PushButton2->text(), QString("Annuler"));
            for (const char* name : {"StaticText1", "PMoptionfond", "PushButton1", "PushButton2"})
                QVERIFY2(w.findChild<QWidget*>(name), name);
            w.PushButton2->click();
        });
        QCOMPARE(CoulWin::showDialog(), int(QDialog::Rejected));
    }

    void modifierWritesTheEditedColoursIntoTheDocument() {
        settings()->AutoChargeRegs = true;
        ColorTable expected = maze()->Couleurs;
        expected.set(1, qRgb(10, 20, 30));
        answerDialog<CoulWin>([](CoulWin& w) {
            answerPicker(QColor(10, 20, 30));
            press(w.swatches[1]);
            QCOMPARE(w.swatches[1]->fillColor(), QColor(10, 20, 30));
            QCOMPARE(maze()->Couleurs.at(1), qRgb(0, 0, 0)); // a copy until "Modifier"
            w.PMoptionfond->setCurrentIndex(1);
            w.PushButton1->click();
        });
        QCOMPARE(CoulWin::showDialog(), int(QDialog::Accepted));
        QCOMPARE(maze()->Couleurs, expected);
        QCOMPARE(maze()->OptionFond, 1);
        QCOMPARE(settings()->PMjeuregl->currentText(), QString("Courants"));
        QVERIFY(!settings()->AutoChargeRegs);
    }

    void modifierShowsTheMazeInTheNewColours() {
        QVERIFY(TestHarness::drawMaze());
        const QPoint wall = firstCellWithCode(maze()->MatriceLabyrinthe, CellCode::Wall);
        QVERIFY(wall.x() >= 0);
        QCOMPARE(canvasPixelOfCell(wall.x(), wall.y()), 0u);
        answerDialog<CoulWin>([](CoulWin& w) {
            answerPicker(QColor(200, 0, 100));
            press(w.swatches[1]);
            w.PushButton1->click();
        });
        CoulWin::showDialog();
        QCOMPARE(canvasPixelOfCell(wall.x(), wall.y()), qRgb(200, 0, 100) & 0xFFFFFFu);
    }

    void cancellingLeavesTheDocument_data() {
        QTest::addColumn<bool>("withEscape");
        QTest::newRow("Annuler button") << false;
        QTest::newRow("Escape key") << true;
    }

    void cancellingLeavesTheDocument() {
        QFETCH(bool, withEscape);
        maze()->OptionFond = 0;
        const ColorTable before = maze()->Couleurs;
        const QString setBefore = settings()->PMjeuregl->currentText();
        answerDialog<CoulWin>([withEscape](CoulWin& w) {
            answerPicker(QColor(1, 1, 1));
            press(w.swatches[0]);
            QTest::keyClick(&w, 't');
            answerPicker(QColor(2, 2, 2));
            press(w.swatches[5]);
            w.PMoptionfond->setCurrentIndex(2);
            if (withEscape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.PushButton2->click();
        });
        QCOMPARE(CoulWin::showDialog(), int(QDialog::Rejected));
        QCOMPARE(maze()->Couleurs, before);
        QCOMPARE(maze()->OptionFond, 0);
        QCOMPARE(settings()->PMjeuregl->currentText(), setBefore);

        // The next opening starts from the table, not from the dropped edits.
        answerDialog<CoulWin>([before](CoulWin& w) {
            QCOMPARE(w.swatches[0]->fillColor().rgba(), before.at(0));
            QCOMPARE(w.swatches[5]->fillColor().rgba(), before.at(5));
            QVERIFY(!w.swatches[5]->isVisible());
            QCOMPARE(w.PMoptionfond->currentIndex(), 0);
            w.PushButton2->click();
        });
        CoulWin::showDialog();
    }

    void cancelledPickerLeavesTheSwatch() {
        const ColorTable before = maze()->Couleurs;
        answerDialog<CoulWin>([](CoulWin& w) {
            answerPicker(QColor()); // cancelled
            press(w.swatches[2]);
            QCOMPARE(w.swatches[2]->fillColor(), QColor(255, 255, 0));
            w.PushButton1->click();
        });
        CoulWin::showDialog();
        QCOMPARE(maze()->Couleurs, before);
    }

    void eachSwatchAsksForItsOwnColour_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("paths") << 0 << "Choisissez la couleur des chemins.";
        QTest::newRow("walls") << 1 << "Choisissez la couleur des murs.";
        QTest::newRow("solution") << 2 << "Choisissez la couleur de la solution.";
        QTest::newRow("entrance") << 3 << "Choisissez la couleur de l'entrée.";
        QTest::newRow("exit") << 4 << "Choisissez la couleur de la sortie.";
        QTest::newRow("test") << 5 << "Choisissez la couleur de test.";
    }

    void eachSwatchAsksForItsOwnColour() {
        QFETCH(int, index);
        QFETCH(QString, prompt);
        ColorTable expected = maze()->Couleurs;
        expected.set(index, qRgb(77, 88, 99));
        PickerSeen seen;
        answerDialog<CoulWin>([index, &seen](CoulWin& w) {
            if (index == CoulWin::TestIndex)
                QTest::keyClick(&w, 't');
            answerPicker(QColor(77, 88, 99), &seen);
            press(w.swatches[index]);
            w.PushButton1->click();
        });
        CoulWin::showDialog();
        QCOMPARE(seen.title, prompt);
        QCOMPARE(seen.initial.rgba(), ColorTable().at(index)); // starts from the swatch
        QCOMPARE(maze()->Couleurs, expected);                  // and only that entry changes
    }

    void testKeyShowsTheTestSwatch_data() {
        QTest::addColumn<char>("key");
        QTest::addColumn<bool>("focusOnPopup");
        QTest::addColumn<bool>("shows");
        QTest::newRow("t") << 't' << false << true;
        QTest::newRow("T") << 'T' << false << true;
        QTest::newRow("t while the popup has the focus") << 't' << true << true;
        QTest::newRow("other letter") << 'x' << false << false;
    }

    void testKeyShowsTheTestSwatch() {
        QFETCH(char, key);
        QFETCH(bool, focusOnPopup);
        QFETCH(bool, shows);
        answerDialog<CoulWin>([=](CoulWin& w) {
            QWidget* target = &w;
            if (focusOnPopup) {
                w.PMoptionfond->setFocus();
                target = w.PMoptionfond;
            }
            QTest::keyClick(target, key);
            QCOMPARE(w.swatches[5]->isVisible(), shows);
            QCOMPARE(w.labels[5]->isVisible(), shows);
            QTest::keyClick(target, key); // a second press never hides them
            QCOMPARE(w.swatches[5]->isVisible(), shows);
            QCOMPARE(w.PMoptionfond->currentIndex(), 0);
            w.PushButton2->click();
        });
        CoulWin::showDialog();
    }

    void modifierStoresTheTestColourShownOrNot_data() {
        QTest::addColumn<bool>("shown");
        QTest::newRow("shown") << true;
        QTest::newRow("hidden") << false;
    }

    void modifierStoresTheTestColourShownOrNot() {
        QFETCH(bool, shown);
        answerDialog<CoulWin>([shown](CoulWin& w) {
            if (shown)
                QTest::keyClick(&w, 'T');
            // An edit of the hidden swatch can only come from an earlier showing in the
            // user's hands; here it is made directly.
            w.swatches[5]->setFillColor(QColor(9, 8, 7));
            w.PushButton1->click();
        });
        CoulWin::showDialog();
        QCOMPARE(maze()->Couleurs.at(5), qRgb(9, 8, 7));
    }

    // ---- Title ----

    void defaultTitleAfterStart() {
        QCOMPARE(Titre::text, QString("Labyrinthe 1"));
        QCOMPARE(Titre::police, QString("Arial"));
        QCOMPARE(Titre::size, 30);
        QCOMPARE(Titre::Couleur, QColor(0, 0, 0));
        QVERIFY(!Titre::bold && !Titre::italic && !Titre::underline);
        answerDialog<TitreWin>([](TitreWin& w) {
            QCOMPARE(w.windowTitle(), QString("Titrage"));
            QCOMPARE(w.size(), QSize(809, 119));
            QCOMPARE(w.EFtitre->text(), QString("Labyrinthe 1"));
            QCOMPARE(w.EFtitre->font().family(), QString("Arial"));
            QCOMPARE(w.EFtitre->font().pixelSize(), 30);
            QCOMPARE(w.EFtitre->palette().color(QPalette::Text), QColor(0, 0, 0));
            QCOMPARE(w.EFtaille->text(), QString("30"));
            QCOMPARE(w.CVcouleur->fillColor(), QColor(0, 0, 0));
            QVERIFY(!w.CBbold->isChecked() && !w.CBitalic->isChecked() &&
                    !w.CBunderline->isChecked());
            QVERIFY(w.PushButton1->isDefault());
            for (const char* name :
                 {"STtitre", "EFtitre", "STpolice", "PMpolice", "STtaille", "EFtaille", "STcouleur",
                  "CVcouleur", "CBbold", "CBitalic", "CBunderline", "PushButton2", "PushButton1"})
                QVERIFY2(w.findChild<QWidget*>(name), name);
            w.PushButton2->click();
        });
        QCOMPARE(TitreWin::showDialog(), int(QDialog::Rejected));
    }

    void okStoresTheWholeTitle() {
        const QStringList families = QFontDatabase::families();
        if (families.size() < 3)
            QSKIP("the platform lists too few font families");
        settings()->AutoChargeRegs = true;
        PickerSeen seen;
        answerDialog<TitreWin>([&](TitreWin& w) {
            w.EFtitre->clear();
            QTest::keyClicks(w.EFtitre, "Mon d");
            w.EFtitre->insert("é"); // typed keys must be ASCII in QTest
            QTest::keyClicks(w.EFtitre, "dale");
            w.PMpolice->setCurrentIndex(1);
            w.EFtaille->setText("24");
            answerPicker(QColor(12, 34, 56), &seen);
            press(w.CVcouleur);
            w.CBbold->click();
            w.CBunderline->click();
            // The field shows the pending title as it will look.
            const QFont shown = w.EFtitre->font();
            QCOMPARE(shown.family(), families[2]);
            QCOMPARE(shown.pixelSize(), 24);
            QVERIFY(shown.bold() && !shown.italic() && shown.underline());
            QCOMPARE(w.EFtitre->palette().color(QPalette::Text), QColor(12, 34, 56));
            QCOMPARE(w.CVcouleur->fillColor(), QColor(12, 34, 56));
            QCOMPARE(Titre::text, QString("Labyrinthe 1")); // nothing stored before OK
            w.PushButton1->click();
        });
        QCOMPARE(TitreWin::showDialog(), int(QDialog::Accepted));
        QCOMPARE(seen.title, QString("Choisissez la couleur du titre."));
        QCOMPARE(seen.initial, QColor(0, 0, 0));
        QCOMPARE(Titre::text, QString("Mon dédale"));
        QCOMPARE(Titre::police, families[2]);
        QCOMPARE(Titre::size, 24);
        QCOMPARE(Titre::Couleur, QColor(12, 34, 56));
        QVERIFY(Titre::bold && !Titre::italic && Titre::underline);
        QCOMPARE(settings()->PMjeuregl->currentText(), QString("Courants"));
        QVERIFY(!settings()->AutoChargeRegs);
    }

    void cancellingKeepsTheTitle_data() {
        QTest::addColumn<bool>("withEscape");
        QTest::newRow("Annuler button") << false;
        QTest::newRow("Escape key") << true;
    }

    void cancellingKeepsTheTitle() {
        QFETCH(bool, withEscape);
        const QString setBefore = settings()->PMjeuregl->currentText();
        answerDialog<TitreWin>([withEscape](TitreWin& w) {
            w.EFtitre->setText("Autre titre");
            w.PMpolice->setCurrentIndex(0);
            w.EFtaille->setText("50");
            answerPicker(QColor(255, 0, 0));
            press(w.CVcouleur);
            w.CBitalic->click();
            if (withEscape)
                QTest::keyClick(w.EFtitre, Qt::Key_Escape);
            else
                w.PushButton2->click();
        });
        QCOMPARE(TitreWin::showDialog(), int(QDialog::Rejected));
        QCOMPARE(Titre::text, QString("Labyrinthe 1"));
        QCOMPARE(Titre::police, QString("Arial"));
        QCOMPARE(Titre::size, 30);
        QCOMPARE(Titre::Couleur, QColor(0, 0, 0));
        QVERIFY(!Titre::italic);
        QCOMPARE(settings()->PMjeuregl->currentText(), setBefore);

        answerDialog<TitreWin>([](TitreWin& w) {
            QCOMPARE(w.EFtitre->text(), QString("Labyrinthe 1"));
            QCOMPARE(w.EFtitre->font().family(), QString("Arial"));
            QCOMPARE(w.EFtaille->text(), QString("30"));
            QCOMPARE(w.CVcouleur->fillColor(), QColor(0, 0, 0));
            QVERIFY(!w.CBitalic->isChecked() && !w.EFtitre->font().italic());
            w.PushButton2->click();
        });
        TitreWin::showDialog();
    }

    void cancelledTitlePickerKeepsTheColour() {
        Titre::Couleur = QColor(0, 128, 0);
        answerDialog<TitreWin>([](TitreWin& w) {
            answerPicker(QColor());
            press(w.CVcouleur);
            QCOMPARE(w.CVcouleur->fillColor(), QColor(0, 128, 0));
            QCOMPARE(w.EFtitre->palette().color(QPalette::Text), QColor(0, 128, 0));
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::Couleur, QColor(0, 128, 0));
    }

    void sizeIsTheNumberTheTextBeginsWith_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("decimal truncated") << "12.9" << 12;
        QTest::newRow("unit after the number") << "18 px" << 18;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("beyond int") << "99999999999" << INT_MAX;
    }

    void sizeIsTheNumberTheTextBeginsWith() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        answerDialog<TitreWin>([typed, stored](TitreWin& w) {
            w.EFtaille->selectAll();
            QTest::keyClicks(w.EFtaille, typed);
            if (typed.isEmpty())
                QTest::keyClick(w.EFtaille, Qt::Key_Backspace);
            QCOMPARE(w.EFtaille->text(), typed);
            const QFont shown = w.EFtitre->font();
            // Huge sizes are shown capped: the field holds a fraction of a glyph anyway.
            if (stored > 0)
                QCOMPARE(shown.pixelSize(), std::min(stored, 1000));
            else
                QVERIFY(showsDefaultSize(shown));
            w.EFtitre->grab(); // drawing it must not fail either
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::size, stored);
    }

    void storedSizeOfZeroOpensAtTheDefaultSize() {
        Titre::size = 0;
        answerDialog<TitreWin>([](TitreWin& w) {
            QCOMPARE(w.EFtaille->text(), QString("0"));
            QVERIFY(showsDefaultSize(w.EFtitre->font()));
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::size, 0);
    }

    void familyTheListLacksIsKept_data() {
        QTest::addColumn<QString>("family");
        QTest::newRow("unknown family") << "Famille Inexistante";
        QTest::newRow("family left out of the list") << QFontDatabase::families().value(0);
    }

    void familyTheListLacksIsKept() {
        QFETCH(QString, family);
        Titre::police = family;
        answerDialog<TitreWin>([family](TitreWin& w) {
            QCOMPARE(w.EFtitre->font().family(), family);
            QVERIFY(w.PMpolice->currentText() != family);
            w.EFtaille->setText("20"); // other changes do not touch the family
            w.CBbold->click();
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::police, family);
        QCOMPARE(Titre::size, 20);
    }

    void fontListLeavesOutTheFirstFamily() {
        const QStringList families = QFontDatabase::families();
        if (families.size() < 4)
            QSKIP("the platform lists too few font families");
        Titre::police = families[3]; // a listed family selects its row
        const int last = int(families.size()) - 2;
        answerDialog<TitreWin>([&](TitreWin& w) {
            QCOMPARE(w.PMpolice->count(), families.size() - 1);
            for (int row = 0; row < w.PMpolice->count(); ++row) {
                QCOMPARE(w.PMpolice->itemText(row), families[row + 1]);
                QCOMPARE(w.familyOfRow(row), families[row + 1]);
            }
            QCOMPARE(w.PMpolice->currentIndex(), 2);
            QCOMPARE(w.EFtitre->font().family(), families[3]);
            w.PMpolice->setCurrentIndex(0);
            QCOMPARE(w.EFtitre->font().family(), families[1]);
            w.PMpolice->setCurrentIndex(last);
            QCOMPARE(w.EFtitre->font().family(), families[last + 1]);
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::police, families[last + 1]);
    }

    void fileNameStemIsTheTitlesFirst32Characters_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("stem");
        const QString forty = "Un labyrinthe au titre bien trop long!!!";
        QTest::newRow("40 characters") << forty << forty.left(32);
        QTest::newRow("5 characters") << "Court"
                                      << "Court";
    }

    void fileNameStemIsTheTitlesFirst32Characters() {
        QFETCH(QString, title);
        QFETCH(QString, stem);
        answerDialog<TitreWin>([title](TitreWin& w) {
            w.EFtitre->setText(title);
            w.PushButton1->click();
        });
        TitreWin::showDialog();
        QCOMPARE(Titre::text, title);
        QCOMPARE(Titre::FichText(), stem);
    }
};

int main(int argc, char** argv) {
    App app(argc, argv);
    TestSettingsDialogs tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_settings_dialogs.moc"
