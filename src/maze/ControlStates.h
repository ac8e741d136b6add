#pragma once

#include "maze/DocumentPhase.h"

#include <QString>

// What the palette and the menu items show in each document phase: one row of data per
// phase, applied by the palette whenever the phase changes.
struct ControlStates {
    QString tracerCaption;  // the draw button, and the text of the menu item Tracer
    QString quitCaption;    // the quit button
    QString tracerShortcut; // the command key of the menu item Tracer
    bool settingsEnabled = true;
    bool settingsDrawerHidden = false; // the drawer is put away and its button reads ">"
    bool solutionEnabled = false;      // the palette's box and the menu item Solution
    bool saveEnabled = false;          // saving and printing, on the palette and the menu
    bool solutionMenuUnchecked = true;

    static const ControlStates& of(DocumentPhase phase);
};
