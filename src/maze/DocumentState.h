#pragma once

#include "maze/DocumentPhase.h"

#include <QObject>

// The document's state, the one place it is kept: the phase, the busy arrows, whether the
// solution is shown and the stop request. The windows change it through the transitions
// below and follow it through the signals, so none reads another window's controls.
class DocumentState : public QObject {
    Q_OBJECT
public:
    DocumentState() = default;

    // The program's document.
    static DocumentState& instance();

    [[nodiscard]] DocumentPhase phase() const { return m_phase; }
    [[nodiscard]] bool busy() const { return m_busy; }
    [[nodiscard]] bool solutionShown() const { return m_solutionShown; }
    [[nodiscard]] bool stopRequested() const { return m_stopRequested; }

    // A generation starts: an old stop request is dropped and the solution box unticked.
    void drawingBegins();
    // A generation ended, run to its end or stopped.
    void drawingEnds();
    // A maze file was read.
    void mazeRead();
    // The maze canvas was cleared.
    void canvasCleared();
    // The maze window closes.
    void mazeWindowCloses();
    // Back to the start-up state.
    void reset();

    void setBusy(bool busy);
    void setSolutionShown(bool shown);
    void setStopRequested(bool requested);
    // True once per stop request, which it clears.
    bool takeStopRequest();

Q_SIGNALS:
    void phaseChanged(DocumentPhase phase);
    void busyChanged(bool busy);
    void solutionShownChanged(bool shown);
    void stopRequestedChanged(bool requested);

private:
    void setPhase(DocumentPhase phase);

    DocumentPhase m_phase = DocumentPhase::NoMaze;
    bool m_busy = false;
    bool m_solutionShown = false;
    bool m_stopRequested = false;
};
