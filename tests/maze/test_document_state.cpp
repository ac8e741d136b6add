#include "maze/ControlStates.h"
#include "maze/DocumentState.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(DocumentPhase)

namespace {
using Step = std::function<void(DocumentState&)>;

const QHash<QString, Step>& transitions() {
    static const QHash<QString, Step> table = {
        {"drawingBegins",
         [](DocumentState& s) {
             s.drawingBegins();
         }},
        {"drawingEnds",
         [](DocumentState& s) {
             s.drawingEnds();
         }},
        {"mazeRead",
         [](DocumentState& s) {
             s.mazeRead();
         }},
        {"canvasCleared",
         [](DocumentState& s) {
             s.canvasCleared();
         }},
        {"mazeWindowCloses",
         [](DocumentState& s) {
             s.mazeWindowCloses();
         }},
        {"reset",
         [](DocumentState& s) {
             s.reset();
         }},
    };
    return table;
}

// Brings a fresh state to `phase` the way the program does, with the solution shown and a
// stop asked for where the phase allows it.
void prepare(DocumentState& state, const QString& start) {
    if (start == "drawing") {
        state.drawingBegins();
        state.setStopRequested(true);
    } else if (start == "present") {
        state.drawingBegins();
        state.drawingEnds();
        state.setSolutionShown(true);
        state.setBusy(false);
    } else if (start == "closed") {
        state.mazeRead();
        state.setSolutionShown(true);
        state.mazeWindowCloses();
    }
}

// Every signal the state emits, in order.
struct Recorder {
    QStringList seen;
    explicit Recorder(DocumentState& state) {
        static const char* names[] = {"NoMaze", "Drawing", "MazePresent", "WindowClosed"};
        QObject::connect(&state, &DocumentState::phaseChanged, &state, [this](DocumentPhase p) {
            seen << QStringLiteral("phase:") + names[static_cast<int>(p)];
        });
        QObject::connect(&state, &DocumentState::busyChanged, &state,
                         [this](bool b) { seen << QStringLiteral("busy:%1").arg(b); });
        QObject::connect(&state, &DocumentState::solutionShownChanged, &state,
                         [this](bool b) { seen << QStringLiteral("solution:%1").arg(b); });
        QObject::connect(&state, &DocumentState::stopRequestedChanged, &state,
                         [this](bool b) { seen << QStringLiteral("stop:%1").arg(b); });
    }
};
} // namespace

class TestDocumentState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void transitions_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("transition");
        QTest::addColumn<DocumentPhase>("phase");
        QTest::addColumn<QStringList>("emitted");
        using P = DocumentPhase;
        QTest::newRow("no maze, draw")
            << "none"
            << "drawingBegins" << P::Drawing << QStringList{"busy:1", "phase:Drawing"};
        QTest::newRow("drawing ends, stop request dropped")
            << "drawing"
            << "drawingEnds" << P::MazePresent << QStringList{"stop:0", "phase:MazePresent"};
        QTest::newRow("maze present, draw again: solution hidden")
            << "present"
            << "drawingBegins" << P::Drawing
            << QStringList{"busy:1", "phase:Drawing", "solution:0"};
        QTest::newRow("no maze, file read")
            << "none"
            << "mazeRead" << P::MazePresent << QStringList{"phase:MazePresent"};
        QTest::newRow("maze present, file read: nothing changes")
            << "present"
            << "mazeRead" << P::MazePresent << QStringList{};
        QTest::newRow("maze present, canvas cleared")
            << "present"
            << "canvasCleared" << P::NoMaze << QStringList{"phase:NoMaze", "solution:0"};
        QTest::newRow("no maze, canvas cleared: nothing changes")
            << "none"
            << "canvasCleared" << P::NoMaze << QStringList{};
        QTest::newRow("maze present, window closes")
            << "present"
            << "mazeWindowCloses" << P::WindowClosed << QStringList{"phase:WindowClosed"};
        QTest::newRow("no maze, window closes")
            << "none"
            << "mazeWindowCloses" << P::WindowClosed << QStringList{"phase:WindowClosed"};
        QTest::newRow("window closed, new window cleared")
            << "closed"
            << "canvasCleared" << P::NoMaze << QStringList{"phase:NoMaze", "solution:0"};
        QTest::newRow("window closed, file read")
            << "closed"
            << "mazeRead" << P::MazePresent << QStringList{"phase:MazePresent"};
        QTest::newRow("drawing, reset")
            << "drawing"
            << "reset" << P::NoMaze << QStringList{"stop:0", "busy:0", "phase:NoMaze"};
    }

    void transitions() {
        QFETCH(QString, start);
        QFETCH(QString, transition);
        QFETCH(DocumentPhase, phase);
        QFETCH(QStringList, emitted);
        DocumentState state;
        prepare(state, start);
        const Recorder recorder(state);
        ::transitions().value(transition)(state);
        QCOMPARE(state.phase(), phase);
        QCOMPARE(recorder.seen, emitted);
    }

    void aStopRequestIsTakenOnce() {
        DocumentState state;
        state.drawingBegins();
        QVERIFY(!state.takeStopRequest());
        state.setStopRequested(true);
        QVERIFY(state.takeStopRequest());
        QVERIFY(!state.takeStopRequest());
        QVERIFY(!state.stopRequested());
    }

    void aNewDrawingNeverInheritsAStopRequest() {
        DocumentState state;
        state.setStopRequested(true);
        state.drawingBegins();
        QVERIFY(!state.stopRequested());
    }

    void controlRows_data() {
        QTest::addColumn<DocumentPhase>("phase");
        QTest::addColumn<QString>("tracer");
        QTest::addColumn<QString>("quit");
        QTest::addColumn<bool>("settings");
        QTest::addColumn<bool>("solution");
        QTest::addColumn<bool>("save");
        using P = DocumentPhase;
        QTest::newRow("no maze") << P::NoMaze << "Tracer"
                                 << "Quitter" << true << false << false;
        QTest::newRow("drawing") << P::Drawing << "Stop!"
                                 << "Stop!" << false << false << false;
        QTest::newRow("maze present") << P::MazePresent << "Nouveau"
                                      << "Quitter" << true << true << true;
        // Nothing left to solve, save or print once the window is closed.
        QTest::newRow("window closed") << P::WindowClosed << "Nouveau"
                                       << "Quitter" << true << false << false;
    }

    void controlRows() {
        QFETCH(DocumentPhase, phase);
        QFETCH(QString, tracer);
        QFETCH(QString, quit);
        QFETCH(bool, settings);
        QFETCH(bool, solution);
        QFETCH(bool, save);
        const ControlStates& row = ControlStates::of(phase);
        QCOMPARE(row.tracerCaption, tracer);
        QCOMPARE(row.quitCaption, quit);
        QCOMPARE(row.settingsEnabled, settings);
        QCOMPARE(row.solutionEnabled, solution);
        QCOMPARE(row.saveEnabled, save);
    }
};

QTEST_GUILESS_MAIN(TestDocumentState)
#include "test_document_state.moc"
