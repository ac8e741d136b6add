#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the program's modal dialogs for the tests, in the order they are expected.
// A dialog nobody expected is recorded and dismissed, so no test can hang on one.
class TestHarness {
public:
    struct Seen {
        QString kind; // "alert" or "message"
        QString text;
        QString defaultCaption;
        QString cancelCaption;
    };

    // Installs the responder, and keeps the offscreen platform's noise out of the log.
    static void install();
    // Checks that every expected dialog came and no other, then closes the windows.
    static void endTest();
    // Draws a maze with the palette and waits for its end.
    [[nodiscard]] static bool drawMaze();
    static void reset();

    static void answerAlert(bool withDefault);
    static void answerAlertWithKey(int key);
    static void answerMessage();
    static void answerWith(std::function<void(QDialog&)> answer);
    // Chooses `path` in the next file dialog; an empty path cancels it.
    static void answerFileDialog(const QString& path);
    // Picks a row of the save options, ticks the solution box if asked, confirms.
    static void answerSaveOptions(int row, bool withSolution);

    static QList<Seen> seen;
    static int unexpected;
    [[nodiscard]] static int pending() { return static_cast<int>(s_answers.size()); }

    // Starts the program afresh: the windows of the last test are gone.
    static void startProgram();
    static void closeProgramWindows();

private:
    static void record(QDialog& dialog);
    static QList<std::function<void(QDialog&)>> s_answers;
};
