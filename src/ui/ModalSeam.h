#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Every modal dialog of the program runs through here. Tests install a responder that
// answers the real dialog once its event loop runs, so no test can wait for a human.
class ModalSeam {
public:
    using Responder = std::function<void(QDialog&)>;

    static int exec(QDialog& dialog);
    static void information(QWidget* parent, const QString& text);

    static void setResponder(Responder responder);

private:
    static Responder& responder();
};
