#include "maze/ControlStates.h"

const ControlStates& ControlStates::of(DocumentPhase phase) {
    static const ControlStates noMaze{.tracerCaption = QStringLiteral("Tracer"),
                                      .quitCaption = QStringLiteral("Quitter"),
                                      .tracerShortcut = QStringLiteral("Ctrl+N")};
    static const ControlStates drawing{.tracerCaption = QStringLiteral("Stop!"),
                                       .quitCaption = QStringLiteral("Stop!"),
                                       .tracerShortcut = QStringLiteral("Ctrl+."),
                                       .settingsEnabled = false,
                                       .settingsDrawerHidden = true};
    static const ControlStates mazePresent{.tracerCaption = QStringLiteral("Nouveau"),
                                           .quitCaption = QStringLiteral("Quitter"),
                                           .tracerShortcut = QStringLiteral("Ctrl+N"),
                                           .solutionEnabled = true,
                                           .saveEnabled = true,
                                           .solutionMenuUnchecked = false};
    // The window's maze is gone with it: nothing to solve, save or print until the next.
    static const ControlStates windowClosed{.tracerCaption = QStringLiteral("Nouveau"),
                                            .quitCaption = QStringLiteral("Quitter"),
                                            .tracerShortcut = QStringLiteral("Ctrl+N"),
                                            .solutionMenuUnchecked = false};
    switch (phase) {
    case DocumentPhase::Drawing:
        return drawing;
    case DocumentPhase::MazePresent:
        return mazePresent;
    case DocumentPhase::WindowClosed:
        return windowClosed;
    case DocumentPhase::NoMaze:
        break;
    }
    return noMaze;
}
