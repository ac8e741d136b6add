#include "maze/DocumentState.h"

DocumentState& DocumentState::instance() {
    static DocumentState state;
    return state;
}

void DocumentState::setPhase(DocumentPhase phase) {
    if (m_phase == phase)
        return;
    m_phase = phase;
    Q_EMIT phaseChanged(phase);
}

void DocumentState::setBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}

void DocumentState::setSolutionShown(bool shown) {
    if (m_solutionShown == shown)
        return;
    m_solutionShown = shown;
    Q_EMIT solutionShownChanged(shown);
}

void DocumentState::setStopRequested(bool requested) {
    if (m_stopRequested == requested)
        return;
    m_stopRequested = requested;
    Q_EMIT stopRequestedChanged(requested);
}

bool DocumentState::takeStopRequest() {
    if (!m_stopRequested)
        return false;
    setStopRequested(false);
    return true;
}

void DocumentState::drawingBegins() {
    setStopRequested(false);
    setBusy(true);
    setPhase(DocumentPhase::Drawing);
    setSolutionShown(false);
}

void DocumentState::drawingEnds() {
    setStopRequested(false);
    setPhase(DocumentPhase::MazePresent);
}

void DocumentState::mazeRead() { setPhase(DocumentPhase::MazePresent); }

void DocumentState::canvasCleared() {
    setPhase(DocumentPhase::NoMaze);
    setSolutionShown(false);
}

void DocumentState::mazeWindowCloses() { setPhase(DocumentPhase::WindowClosed); }

void DocumentState::reset() {
    setStopRequested(false);
    setBusy(false);
    setSolutionShown(false);
    setPhase(DocumentPhase::NoMaze);
}
