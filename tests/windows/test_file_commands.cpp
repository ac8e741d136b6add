#include "TestHarness.h"
#include "app/App.h"
#include "app/FichierLabyrinthe.h"
#include "app/OptenrWin.h"
#include "app/PaletteWin.h"
#include "files/TaggedFile.h"
#include "maze/Titre.h"
#include "settings/Reglageswin.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/THRnouveaulaby.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace {
PaletteWin* palette() { return PaletteWin::instance(); }
LabyWin* maze() { return LabyWin::instance(); }
Reglageswin* settings() { return Reglageswin::instance(); }

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

int cellsWithCode(const MazeGrid& grid, int code) {
    int count = 0;
    for (std::size_t i = 0; i < grid.cellCount(); ++i)
        count += grid.data()[i] == code;
    return count;
}

// Tagged records for crafted files.
QByteArray text(const QByteArray& bytes) { return char(bytes.size()) + bytes; }
QByteArray record(const QByteArray& tag, const QByteArray& signature, const QByteArray& values) {
    return text(tag) + text(signature) + values;
}
QByteArray colour(const QByteArray& tag, int r, int g, int b) {
    return record(tag, "3 V !", QByteArray(1, char(r)) + char(g) + char(b));
}
} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        TestHarness::install();
    }

    void init() { TestHarness::startProgram(); }

    void cleanup() { TestHarness::endTest(); }

    void saveOptionsRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("solutionBox");
        QTest::addColumn<QString>("explanationStart");
        QTest::newRow("tagged") << 0 << "Meandrolith"
                                << "Sauvegarder" << false
                                << "Enregistrer le labyrinthe au format Meandrolith. La solution";
        QTest::newRow("version 1") << 1 << "Meandrolith (version 1)"
                                   << "Sauvegarder" << false
                                   << "Enregistrer le labyrinthe au format Meandrolith version 1.";
        QTest::newRow("JPEG") << 2 << "JPEG"
                              << "Exporter" << true << "Enregistrer le labyrinthe au format JPEG.";
        QTest::newRow("PICT") << 3 << "PICT"
                              << "Exporter" << true << "Enregistrer le labyrinthe au format PICT.";
        QTest::newRow("PNG") << 4 << "PNG"
                             << "Exporter" << true << "Enregistrer le labyrinthe au format PNG.";
    }

    void saveOptionsRows() {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(bool, solutionBox);
        QFETCH(QString, explanationStart);
        OptenrWin options;
        QCOMPARE(options.windowTitle(), QString("Options de sauvegarde"));
        QCOMPARE(options.PMformatenr->currentIndex(), 0);
        QVERIFY(!options.CBexportsolution->isEnabled());
        options.CBexportsolution->setChecked(true);
        options.PMformatenr->setCurrentIndex(4);
        options.PMformatenr->setCurrentIndex(row);
        QCOMPARE(options.PMformatenr->currentText(), text);
        QCOMPARE(options.PBenr->text(), caption);
        QCOMPARE(options.CBexportsolution->isEnabled(), solutionBox);
        QVERIFY(options.CBexportsolution->isChecked()); // the row never changes the tick
        QVERIFY(options.STexplications->text().startsWith(explanationStart));
    }

    void saveOptionsCancelWritesNothing() {
        QVERIFY(TestHarness::drawMaze());
        const QStringList before = QDir(m_folder.path()).entryList(QDir::Files);
        TestHarness::answerWith([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        palette()->PBsauvegarder->click();
        QCOMPARE(TestHarness::seen.size(), 1);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), before);
    }

    void taggedRoundTripRestoresTheWholeDocument() {
        settings()->Slider1->setValue(640);
        QTRY_COMPARE(settings()->CurrentValueSlider, 640);
        QVERIFY(TestHarness::drawMaze());
        maze()->Couleurs.set(1, qRgb(10, 20, 30));
        Titre::text = "Un titre assez long pour être coupé à trente-deux caractères";
        Titre::police = "Liberation Serif";
        Titre::size = 44;
        Titre::italic = true;
        Titre::Couleur = QColor(1, 2, 3);
        const QString file = path("maze.mndr");
        TestHarness::answerSaveOptions(0, false);
        TestHarness::answerFileDialog(file);
        palette()->PBsauvegarder->click();
        QCOMPARE(TestHarness::seen.value(1).text, QString("Un titre assez long pour être co.mndr"));
        QVERIFY(maze()->SolutionTrouvee); // the stored grid carries the solution
        const MazeGrid saved = maze()->MatriceLabyrinthe;
        QVERIFY(cellsWithCode(saved, 2) > 0);
        QVERIFY(readAll(file).startsWith(TaggedFile::header()));

        // Change everything, then read the file back.
        TestHarness::answerAlert(true); // the slider's question erases the maze
        settings()->Slider1->setValue(100);
        QTRY_COMPARE(settings()->CurrentValueSlider, 100);
        QVERIFY(TestHarness::drawMaze());
        maze()->Couleurs.resetToDefaults();
        Titre::reset();
        TestHarness::answerAlert(true);
        App::instance()->OpenDocument(file);
        QCOMPARE(TestHarness::seen.last().text,
                 QString("Voulez-vous vraiment effacer ce labyrinthe pour en ouvrir un autre?\n\n"
                         "Si il s'agit d'un fichier de réglages, le labyrinthe ne sera pas "
                         "effacé."));
        QVERIFY(maze()->MatriceLabyrinthe == saved);
        QCOMPARE(maze()->Largeur, saved.Largeur());
        QCOMPARE(maze()->Hauteur, saved.Hauteur());
        QCOMPARE(maze()->Epaisseurtrait, 5);
        QCOMPARE(maze()->Couleurs.at(1), qRgb(10, 20, 30));
        QCOMPARE(Titre::text, QString("Un titre assez long pour être coupé à trente-deux "
                                      "caractères"));
        QCOMPARE(Titre::police, QString("Liberation Serif"));
        QCOMPARE(Titre::size, 44);
        QVERIFY(Titre::italic);
        QCOMPARE(Titre::Couleur, QColor(1, 2, 3));
        QCOMPARE(settings()->Slider1->value(), 640);
        QCOMPARE(maze()->VersionMeandrolithLabyrinthe, 200);
        QVERIFY(maze()->Laby);
        QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QVERIFY(palette()->PBsauvegarder->isEnabled());
        QVERIFY(App::instance()->SolMen->isEnabled());
        QCOMPARE(settings()->PMjeuregl->currentText(), QString("Courants"));
        // The reader's own slider change asks nothing once the read is over.
        QTest::qWait(50);
        QVERIFY(maze()->Laby);
    }

    void cancelledSaveWritesNothingButFindsTheSolution() {
        QVERIFY(TestHarness::drawMaze());
        const QStringList before = QDir(m_folder.path()).entryList(QDir::Files);
        TestHarness::answerSaveOptions(0, false);
        TestHarness::answerFileDialog({});
        palette()->PBsauvegarder->click();
        QVERIFY(maze()->SolutionTrouvee);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), before);
    }

    void settingsFileAppliedToTheMazeShown() {
        const QString file = path("reglages");
        maze()->Couleurs.set(1, qRgb(0, 0, 200));
        settings()->EFepaisseurtrait->setText("4");
        QVERIFY(FichierLabyrinthe::writeSettingsFile(file));
        maze()->Couleurs.resetToDefaults();
        settings()->EFepaisseurtrait->setText("5");
        QVERIFY(TestHarness::drawMaze());
        const MazeGrid shown = maze()->MatriceLabyrinthe;
        settings()->selectRowQuietly(0);
        settings()->Jeureglcourant = 0;

        TestHarness::answerAlert(true);
        TestHarness::answerMessage();
        App::instance()->OpenDocument(file); // no extension: known by its first bytes
        QCOMPARE(TestHarness::seen.size(), 2);
        QCOMPARE(TestHarness::seen[1].text,
                 QString("Il s'agit d'un fichier de réglages. Les réglages sont importés et "
                         "appliqués au labyrinthe courant."));
        QVERIFY(maze()->Laby);
        QVERIFY(maze()->MatriceLabyrinthe == shown);
        QCOMPARE(maze()->Couleurs.at(1), qRgb(0, 0, 200));
        QCOMPARE(maze()->Epaisseurtrait, 4);
        QCOMPARE(settings()->EFepaisseurtrait->text(), QString("4"));
        QCOMPARE(settings()->PMjeuregl->currentIndex(), 0);
        QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
        QCOMPARE(maze()->contentSize(),
                 QSize((maze()->Largeur + 1) * 4 + 30, (maze()->Hauteur + 1) * 4 + 31));
    }

    void settingsFileRecalledQuietly() {
        const QString file = path("quiet");
        QVERIFY(FichierLabyrinthe::writeSettingsFile(file));
        QVERIFY(TestHarness::drawMaze());
        FichierLabyrinthe::DirectFichier = false;
        FichierLabyrinthe::Ouvrir(file);
        FichierLabyrinthe::DirectFichier = true;
        QVERIFY(TestHarness::seen.isEmpty());
        QVERIFY(maze()->Laby);
    }

    void version1RoundTrip() {
        QVERIFY(TestHarness::drawMaze());
        palette()->CBsolution->click();
        const MazeGrid drawn = maze()->MatriceLabyrinthe;
        const QString file = path("ancien.mn");
        TestHarness::answerSaveOptions(1, false);
        TestHarness::answerFileDialog(file);
        palette()->PBsauvegarder->click();
        QCOMPARE(TestHarness::seen.value(1).text, QString("Labyrinthe 1.mn"));
        const int columns = 2 * (drawn.Largeur() + 1);
        const int rows = 2 * (drawn.Hauteur() + 1);
        QCOMPARE(readAll(file).size(), 16 + columns * rows);

        TestHarness::answerAlert(true);
        App::instance()->OpenDocument(file);
        const MazeGrid& read = maze()->MatriceLabyrinthe;
        QCOMPARE(read.Largeur(), drawn.Largeur());
        QCOMPARE(read.Hauteur(), drawn.Hauteur());
        for (int y = 0; y <= drawn.Hauteur(); ++y)
            for (int x = 0; x <= drawn.Largeur(); ++x) {
                const int before = drawn.at(x, y);
                const int expected = before == 2 ? 0 : before == 3 ? 4 : before;
                QCOMPARE(int(read.at(x, y)), expected);
            }
        QCOMPARE(maze()->Epaisseurtrait, 2);
        QCOMPARE(maze()->Couleurs.at(2), qRgb(0, 255, 0));
        QCOMPARE(maze()->Couleurs.at(3), qRgb(255, 0, 0));
        QVERIFY(maze()->Laby);
        QVERIFY(!maze()->SolutionTrouvee);
        QVERIFY(palette()->CBsolution->isEnabled());
    }

    void version1RefusedBeforeAnythingChanges() {
        QVERIFY(TestHarness::drawMaze());
        const MazeGrid shown = maze()->MatriceLabyrinthe;
        const QString file = path("negatif.mn");
        writeAll(file, QByteArray::fromHex("ffffffff0000000d0000002100000027"));
        TestHarness::answerAlert(true);
        TestHarness::answerMessage();
        App::instance()->OpenDocument(file);
        QVERIFY(TestHarness::seen.value(1).text.startsWith("Impossible d'ouvrir le fichier"));
        QVERIFY(maze()->Laby);
        QVERIFY(maze()->MatriceLabyrinthe == shown);
        QCOMPARE(maze()->Epaisseurtrait, 5);
    }

    void openRouting_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<bool>("opened");
        const QByteArray tagged = TaggedFile::header() + text("/FIN/");
        const QByteArray version1 =
            QByteArray::fromHex("00000005000000050000000f0000001d") + QByteArray(36, '\1');
        QTest::newRow(".mndr") << "a.mndr" << tagged << "MND2" << true;
        QTest::newRow(".MNDR in capitals") << "b.MNDR" << tagged << "MND2" << true;
        QTest::newRow("tagged by its first bytes") << "c.dat" << tagged << "MND2" << true;
        QTest::newRow(".mn") << "d.mn" << version1 << "????" << true;
        QTest::newRow("a picture is ignored")
            << "e.png" << QByteArray("\x89PNG") << "PNGf" << false;
        QTest::newRow("no extension, no header") << "f" << QByteArray("x") << "" << false;
    }

    void openRouting() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typeCode);
        QFETCH(bool, opened);
        writeAll(path(name), bytes);
        QCOMPARE(FichierLabyrinthe::typeCodeOf(path(name)), typeCode);
        App::instance()->OpenDocument(path(name));
        QVERIFY(TestHarness::seen.isEmpty()); // nothing shown, no maze to ask about
        QCOMPARE(maze()->Laby, opened && typeCode == "????");
    }

    void missingFileIsReportedByName() {
        TestHarness::answerMessage();
        App::instance()->OpenDocument(path("absent.mndr"));
        QCOMPARE(TestHarness::seen.size(), 1);
        QVERIFY(TestHarness::seen[0].text.startsWith(
            "Impossible d'ouvrir le fichier « absent.mndr »."));
        QVERIFY(!maze()->Laby);
    }

    void damagedTaggedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("mazeShown");
        const QByteArray start =
            TaggedFile::header() + record("/REGB/", "1 B !", QByteArray(1, '\0'));
        const QByteArray grid =
            record("/LARG/", "1 V !", "\2") + record("/HAUT/", "1 V !", "\2") +
            record("/LABY/", "9 V !", QByteArray::fromHex("010101030004010101"));
        QTest::newRow("unknown record")
            << start +
                   record("/XXXX/", "2 T 1 L !",
                          text("a") + text("bc") + QByteArray::fromHex("00000001")) +
                   colour("/CLMU/", 1, 2, 3) + grid + text("/FIN/")
            << QStringList{"Une partie des données du fichier n'est pas reconnue par cette "
                           "version de Meandrolith. C'est sans conséquence pour les autres "
                           "données.\n\nBalise: /XXXX/   Type de données: 2 T 1 L !"}
            << true;
        QTest::newRow("grid before its dimensions")
            << start + record("/LABY/", "1 V !", "\1") + grid + text("/FIN/")
            << QStringList{"Erreur lors de la lecture du fichier.\nLe labyrinthe n'est pas "
                           "importé, mais les autres valeurs du fichier le sont.\n\nErreur: dans "
                           "un fichier Meandrolith v.2, les valeurs /LABY/ doivent être précédées "
                           "des valeurs /LARG/ et /HAUT/."}
            << true;
        QTest::newRow("unknown type letter")
            << start + record("/XXXX/", "1 X !", "") + grid
            << QStringList{"Erreur lors de la lecture du fichier, impossible de la terminer."
                           "\n\nErreur: Type de donnée inconnu (1 X !)"}
            << false;
        QTest::newRow("ends inside the grid")
            << start + grid.left(grid.size() - 3)
            << QStringList{"Erreur lors de la lecture du fichier, impossible de la terminer."}
            << false;
        QTest::newRow("only the end") << text("/FIN/") << QStringList{} << false;
    }

    void damagedTaggedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(bool, mazeShown);
        writeAll(path("damaged.mndr"), bytes);
        for (int i = 0; i < messages.size(); ++i)
            TestHarness::answerMessage();
        App::instance()->OpenDocument(path("damaged.mndr"));
        QCOMPARE(TestHarness::seen.size(), messages.size());
        for (int i = 0; i < messages.size(); ++i)
            QVERIFY2(TestHarness::seen[i].text.startsWith(messages[i]),
                     qPrintable(TestHarness::seen[i].text));
        QCOMPARE(maze()->Laby, mazeShown);
        QCOMPARE(palette()->PBtracer->text(), QString(mazeShown ? "Nouveau" : "Tracer"));
        QCOMPARE(palette()->PBsauvegarder->isEnabled(), mazeShown);
        if (mazeShown) {
            QCOMPARE(maze()->Largeur, 2);
            QCOMPARE(maze()->MatriceLabyrinthe.at(1, 0), std::uint8_t(3));
        }
    }

    void openingDuringADrawingStopsItFirst() {
        const QString file = path("pendant.mndr");
        QVERIFY(TestHarness::drawMaze());
        QVERIFY(FichierLabyrinthe::writeSettingsFile(file));
        TestHarness::answerAlert(true);
        palette()->BoutonNouveau();
        QVERIFY(maze()->THRnouveaulaby1->isRunning());
        TestHarness::answerAlert(true); // the stopped drawing is a maze like any other
        TestHarness::answerMessage();
        App::instance()->OpenDocument(file);
        QVERIFY(!maze()->THRnouveaulaby1->isRunning());
        QVERIFY(maze()->Laby);
        QCOMPARE(palette()->PBtracer->text(), QString("Nouveau"));
    }

    void pictureExport_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("withSolution");
        QTest::addColumn<QString>("name");
        QTest::newRow("PNG with solution") << 4 << true << "Labyrinthe 1.png";
        QTest::newRow("PNG without solution") << 4 << false << "Labyrinthe 1.png";
        QTest::newRow("JPEG") << 2 << true << "Labyrinthe 1.jpg";
    }

    void pictureExport() {
        QFETCH(int, row);
        QFETCH(bool, withSolution);
        QFETCH(QString, name);
        QVERIFY(TestHarness::drawMaze());
        if (!withSolution)
            palette()->CBsolution->click(); // shown on screen, left out of the picture
        // A new name each time: the dialog would ask before replacing a file.
        const QString file = path(QString(QTest::currentDataTag()) + name);
        TestHarness::answerSaveOptions(row, withSolution);
        TestHarness::answerFileDialog(file);
        palette()->PBsauvegarder->click();
        QCOMPARE(TestHarness::seen.value(1).text, name);
        QVERIFY(maze()->SolutionTrouvee);
        QImage picture(file);
        QCOMPARE(picture.size(), QSize(270, 270));
        const MazeGrid& grid = maze()->MatriceLabyrinthe;
        QPoint route;
        for (int y = 1; y < grid.Hauteur() && route.isNull(); ++y)
            for (int x = 1; x < grid.Largeur(); ++x)
                if (grid.at(x, y) == 2) {
                    route = {x, y};
                    break;
                }
        const QRgb expected = withSolution ? qRgb(255, 255, 0) : qRgb(255, 255, 255);
        const QRgb got = picture.pixel(route.x() * 5 + 2, route.y() * 5 + 2);
        QVERIFY2(qAbs(qRed(got) - qRed(expected)) < 40 && qAbs(qBlue(got) - qBlue(expected)) < 40,
                 qPrintable(QString::number(got, 16)));
    }

    void failedPngExportSaysSo() {
        QVERIFY(TestHarness::drawMaze());
        TestHarness::answerSaveOptions(4, false);
        TestHarness::answerWith([](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            files.selectFile("/nonexistent-folder/x.png");
            static_cast<QDialog&>(files).done(QDialog::Accepted);
        });
        TestHarness::answerMessage();
        palette()->PBsauvegarder->click();
        QCOMPARE(TestHarness::seen.size(), 3);
        QVERIFY(TestHarness::seen[2].text.startsWith("L'export au format PNG a échoué."));
    }
};

int main(int argc, char** argv) {
    App app(argc, argv);
    TestFileCommands tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_file_commands.moc"
