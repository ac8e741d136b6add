#include "TestHarness.h"

#include "app/AlertWin.h"
#include "app/App.h"
#include "app/OptenrWin.h"
#include "app/PaletteWin.h"
#include "maze/DocumentState.h"
#include "settings/Reglageswin.h"
#include "ui/ModalSeam.h"
#include "view/LabyWin.h"
#include "view/THRnouveaulaby.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

QList<TestHarness::Seen> TestHarness::seen;
int TestHarness::unexpected = 0;
QList<std::function<void(QDialog&)>> TestHarness::s_answers;

void TestHarness::record(QDialog& dialog) {
    if (auto* alert = qobject_cast<AlertWin*>(&dialog)) {
        seen.append({QStringLiteral("alert"), alert->STprincipal->text(), alert->PBdefaut->text(),
                     alert->PBannuler->text()});
    } else if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        seen.append({QStringLiteral("message"), box->text(), {}, {}});
    } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        // The name the dialog proposes.
        seen.append({QStringLiteral("file"),
                     QFileInfo(files->selectedFiles().value(0)).fileName(),
                     {},
                     {}});
    } else {
        seen.append({dialog.metaObject()->className(), dialog.windowTitle(), {}, {}});
    }
}

void TestHarness::install() {
    // The offscreen platform warns at every window raise; that noise hides real warnings.
    static QtMessageHandler testlib = nullptr;
    testlib = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QStringLiteral("This plugin does not support")))
                testlib(type, context, message);
        });
    ModalSeam::setResponder([](QDialog& dialog) {
        record(dialog);
        if (s_answers.isEmpty()) {
            ++unexpected;
            qWarning("unexpected dialog: %s", qPrintable(seen.last().text));
            if (auto* alert = qobject_cast<AlertWin*>(&dialog))
                alert->PBannuler->click();
            else
                dialog.reject();
            return;
        }
        s_answers.takeFirst()(dialog);
    });
}

void TestHarness::endTest() {
    QCOMPARE(unexpected, 0);
    QCOMPARE(pending(), 0);
    closeProgramWindows();
}

bool TestHarness::drawMaze() {
    PaletteWin::instance()->BoutonNouveau();
    return QTest::qWaitFor(
        [] { return DocumentState::instance().phase() == DocumentPhase::MazePresent; }, 20000);
}

void TestHarness::reset() {
    seen.clear();
    unexpected = 0;
    s_answers.clear();
}

void TestHarness::answerAlert(bool withDefault) {
    s_answers.append([withDefault](QDialog& dialog) {
        auto* alert = qobject_cast<AlertWin*>(&dialog);
        QVERIFY2(alert, "an alert was expected");
        (withDefault ? alert->PBdefaut : alert->PBannuler)->click();
    });
}

void TestHarness::answerAlertWithKey(int key) {
    s_answers.append([key](QDialog& dialog) {
        QTest::keyClick(&dialog, static_cast<Qt::Key>(key));
        if (dialog.isVisible()) // a key that does not answer must not leave the test hanging
            dialog.reject();
    });
}

void TestHarness::answerMessage() {
    s_answers.append([](QDialog& dialog) { dialog.accept(); });
}

void TestHarness::answerWith(std::function<void(QDialog&)> answer) {
    s_answers.append(std::move(answer));
}

void TestHarness::answerFileDialog(const QString& path) {
    s_answers.append([path](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        QVERIFY2(files, "a file dialog was expected");
        if (path.isEmpty()) {
            files->reject();
            return;
        }
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept(); // QFileDialog keeps its override protected
    });
}

void TestHarness::answerSaveOptions(int row, bool withSolution) {
    s_answers.append([row, withSolution](QDialog& dialog) {
        auto* options = qobject_cast<OptenrWin*>(&dialog);
        QVERIFY2(options, "the save options were expected");
        options->PMformatenr->setCurrentIndex(row);
        options->CBexportsolution->setChecked(withSolution);
        options->PBenr->click();
    });
}

void TestHarness::closeProgramWindows() {
    if (LabyWin* maze = LabyWin::existing()) {
        if (maze->THRnouveaulaby1->isRunning())
            maze->THRnouveaulaby1->stopAndFinish();
        delete maze;
    }
    delete Reglageswin::existing();
    delete PaletteWin::existing();
}

void TestHarness::startProgram() {
    closeProgramWindows();
    reset();
    THRnouveaulaby::fixedSeed = 12345;
    // The document and the menu items outlive the windows in one test process.
    DocumentState::instance().reset();
    App::instance()->Demarrer();
    PaletteWin::instance()->applyDocumentState(DocumentState::instance().phase());
    App::instance()->SolMen->setChecked(false);
}
