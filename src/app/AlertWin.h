#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

// The two-button question asked before anything is destroyed. Return answers with the
// default button, Escape with the cancel button; there is no other way out.
class AlertWin : public QDialog {
    Q_OBJECT
public:
    explicit AlertWin(QWidget* parent = nullptr);

    QWidget* CVprincipal = nullptr;
    QLabel* STprincipal = nullptr;
    QPushButton* PBdefaut = nullptr;
    QPushButton* PBannuler = nullptr;

    void PBdefaut_Action();
    void PBannuler_Action();
    void CVprincipal_Paint(QPainter& graphics);

    void centreOn(QWidget* window);
    void reject() override; // Escape

protected:
    void closeEvent(QCloseEvent* event) override;
};
