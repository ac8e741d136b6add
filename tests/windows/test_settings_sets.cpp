#include "TestHarness.h"
#include "app/App.h"
#include "app/PaletteWin.h"
#include "files/TaggedFile.h"
#include "maze/Titre.h"
#include "settings/NomreglWin.h"
#include "settings/Reglageswin.h"
#include "view/LabyWin.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
LabyWin* maze() { return LabyWin::instance(); }
Reglageswin* settings() { return Reglageswin::instance(); }

QStringList rows() {
    QStringList texts;
    for (int i = 0; i < settings()->PMjeuregl->count(); ++i)
        texts << settings()->PMjeuregl->itemText(i);
    return texts;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types a name in the name dialog and confirms; the dialog's 2 s feedback is shortened.
void answerName(const QString& name) {
    TestHarness::answerWith([name](QDialog& dialog) {
        auto& names = static_cast<NomreglWin&>(dialog);
        names.Timer1->setInterval(1);
        names.EditField1->setText(name);
        names.PushButton1->click();
    });
}
} // namespace

class TestSettingsSets : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString folder() const { return m_root.filePath("Réglages"); }

    void storeSet(const QString& name) {
        answerName(name);
        settings()->PushButton2->click();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_root.isValid());
        TestHarness::install();
    }

    void init() {
        QDir(folder()).removeRecursively();
        Reglageswin::folderForTests = folder();
        TestHarness::startProgram();
    }

    void cleanup() {
        QVERIFY(!settings()->JustRecall);
        TestHarness::endTest();
    }

    void theDefaultFolderIsThePerUserDataFolder() {
        Reglageswin::folderForTests.clear();
        QVERIFY(Reglageswin::settingsFolder().endsWith("/Meandrolith/Réglages"));
        Reglageswin::folderForTests = folder();
    }

    void storingAFirstSetCreatesTheFolder() {
        QCOMPARE(rows(), (QStringList{"Défaut", "", "Courants"}));
        storeSet("Petits traits");
        QCOMPARE(TestHarness::seen.size(), 1);
        QVERIFY(readAll(folder() + "/Petits traits").startsWith(TaggedFile::header()));
        QCOMPARE(rows(), (QStringList{"Défaut", "", "Courants", "", "Petits traits"}));
        QCOMPARE(settings()->PMjeuregl->currentIndex(), 0); // storing leaves the row as it was
    }

    void refusedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("hidden") << ".cache";
        QTest::newRow("climbs out") << "../x";
        QTest::newRow("sub-folder") << "a/b";
        QTest::newRow("control character") << "a\tb";
        QTest::newRow("too long") << QString(256, 'x');
    }

    void refusedNames() {
        QFETCH(QString, name);
        bool stayedOpen = false;
        TestHarness::answerWith([&](QDialog& dialog) {
            auto& names = static_cast<NomreglWin&>(dialog);
            names.Timer1->setInterval(1);
            names.EditField1->setText(name);
            names.PushButton1->click(); // the message comes here
            stayedOpen = names.isVisible() && names.EditField1->isVisible();
            names.PushButton2->click();
        });
        TestHarness::answerMessage();
        settings()->PushButton2->click();
        QCOMPARE(TestHarness::seen.value(1).text,
                 QString("Ce nom ne peut pas servir de nom de jeu de réglages."));
        QVERIFY(stayedOpen);
        QVERIFY(!QFile::exists(m_root.filePath("x")));
        QVERIFY(QDir(folder()).isEmpty() || !QDir(folder()).exists());
    }

    void cancelWritesNothing() {
        QString feedback;
        TestHarness::answerWith([&](QDialog& dialog) {
            auto& names = static_cast<NomreglWin&>(dialog);
            names.Timer1->setInterval(1);
            names.EditField1->setText("Jamais");
            names.PushButton2->click();
            feedback = names.StaticText2->isVisible() ? names.StaticText2->text() : QString();
        });
        settings()->PushButton2->click();
        QCOMPARE(feedback, QString("Sauvegarde du jeu de réglages annulée."));
        QVERIFY(!QFile::exists(folder() + "/Jamais"));
    }

    void overwriting_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("Non keeps the file") << false;
        QTest::newRow("Oui replaces it") << true;
    }

    void overwriting() {
        QFETCH(bool, overwrite);
        storeSet("Mon jeu");
        const QByteArray before = readAll(folder() + "/Mon jeu");
        settings()->EFepaisseurtrait->setText("9");
        bool askedAgain = false;
        TestHarness::answerWith([&](QDialog& dialog) {
            auto& names = static_cast<NomreglWin&>(dialog);
            names.Timer1->setInterval(1);
            names.EditField1->setText("Mon jeu");
            names.PushButton1->click();
            askedAgain = names.EditField1->isVisible();
            if (askedAgain)
                names.PushButton2->click();
        });
        TestHarness::answerAlert(overwrite);
        settings()->PushButton2->click();
        QCOMPARE(TestHarness::seen.last().text, QString("Ce jeu de réglages existe. L'écraser?"));
        QCOMPARE(askedAgain, !overwrite);
        const QByteArray after = readAll(folder() + "/Mon jeu");
        if (overwrite)
            QVERIFY(after != before);
        else
            QCOMPARE(after, before);
    }

    void filesThatAreNoSetsAreNotListed() {
        storeSet("b");
        QFile other(folder() + "/a.txt");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("pas un jeu");
        other.close();
        storeSet("c");
        QCOMPARE(rows(), (QStringList{"Défaut", "", "Courants", "", "b", "c"}));
    }

    void recall_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("rowAfter");
        QTest::addColumn<int>("thicknessAfter");
        QTest::newRow("Défaut from Courants, Oui") << "Courants"
                                                   << "Défaut" << true << true << "Défaut" << 5;
        QTest::newRow("Défaut from Courants, Non") << "Courants"
                                                   << "Défaut" << true << false << "Courants" << 8;
        QTest::newRow("Défaut from a set") << "set"
                                           << "Défaut" << false << true << "Défaut" << 5;
        QTest::newRow("set from Courants, Oui") << "Courants"
                                                << "set" << true << true << "Trois" << 3;
        QTest::newRow("set from Courants, Non") << "Courants"
                                                << "set" << true << false << "Courants" << 8;
        QTest::newRow("set from Défaut") << "Défaut"
                                         << "set" << false << true << "Trois" << 3;
        QTest::newRow("Courants") << "Courants"
                                  << "Courants" << false << true << "Courants" << 8;
    }

    void recall() {
        QFETCH(QString, from);
        QFETCH(QString, choice);
        QFETCH(bool, asked);
        QFETCH(bool, answer);
        QFETCH(QString, rowAfter);
        QFETCH(int, thicknessAfter);
        settings()->EFepaisseurtrait->setText("3");
        storeSet("Trois");
        settings()->EFepaisseurtrait->setText("8");
        const int setRow = rows().indexOf("Trois");
        const int fromRow = from == "Courants" ? 2 : from == "Défaut" ? 0 : setRow;
        settings()->Jeureglcourant = fromRow;
        settings()->selectRowQuietly(fromRow);
        TestHarness::reset();
        if (asked)
            TestHarness::answerAlert(answer);
        settings()->PMjeuregl->setCurrentIndex(choice == "Défaut" ? 0
                                               : choice == "set"  ? setRow
                                                                  : 2);
        QCOMPARE(TestHarness::seen.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(TestHarness::seen[0].text,
                     QString(choice == "Défaut"
                                 ? "Voulez-vous vraiment que toutes les valeurs reviennent aux "
                                   "valeurs par défaut, y compris les couleurs et le titre?"
                                 : "Voulez-vous vraiment perdre les réglages courants?"));
        QCOMPARE(settings()->PMjeuregl->currentText(), rowAfter);
        QCOMPARE(maze()->Epaisseurtrait, thicknessAfter);
        QVERIFY(!settings()->AutoChargeRegs);
    }

    void recallRedrawsTheShownMazeWithoutQuestions() {
        settings()->EFepaisseurtrait->setText("4");
        settings()->Slider1->setValue(500);
        QTRY_COMPARE(settings()->CurrentValueSlider, 500);
        maze()->Couleurs.set(1, qRgb(0, 0, 128));
        Titre::text = "Bleu";
        storeSet("Bleu");
        TestHarness::reset();
        settings()->applyFactorySettings();
        QVERIFY(TestHarness::drawMaze());
        const MazeGrid shown = maze()->MatriceLabyrinthe;
        settings()->MoRe();
        TestHarness::answerAlert(true);
        settings()->PMjeuregl->setCurrentIndex(rows().indexOf("Bleu"));
        QTest::qWait(60); // the slider's confirmation comes 10 ms later: it must ask nothing
        QCOMPARE(TestHarness::seen.size(), 1);
        QVERIFY(maze()->Laby);
        QVERIFY(maze()->MatriceLabyrinthe == shown);
        QCOMPARE(maze()->Epaisseurtrait, 4);
        QCOMPARE(settings()->Slider1->value(), 500);
        QCOMPARE(maze()->Couleurs.at(1), qRgb(0, 0, 128));
        QCOMPARE(Titre::text, QString("Bleu"));
        QCOMPARE(settings()->PMjeuregl->currentText(), QString("Bleu"));
        QCOMPARE(maze()->contentSize(),
                 QSize((maze()->Largeur + 1) * 4 + 30, (maze()->Hauteur + 1) * 4 + 31));

        // A change by hand afterwards asks its question again.
        TestHarness::answerAlert(false);
        settings()->Slider1->setValue(700);
        QTRY_COMPARE(TestHarness::seen.size(), 2);
        QTRY_COMPARE(settings()->Slider1->value(), 500);
    }

    void aRemovedSetIsReported() {
        storeSet("Parti");
        TestHarness::reset();
        const int row = rows().indexOf("Parti");
        QVERIFY(QFile::remove(folder() + "/Parti"));
        TestHarness::answerMessage();
        settings()->PMjeuregl->setCurrentIndex(row);
        QCOMPARE(TestHarness::seen.value(0).text,
                 QString("Erreur: ce fichier de réglages n'existe pas.Vérifiez qu'il se trouve "
                         "dans le dossier 'Réglages'."));
        QCOMPARE(settings()->Jeureglcourant, row);
    }
};

int main(int argc, char** argv) {
    App app(argc, argv);
    TestSettingsSets tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_settings_sets.moc"
