#pragma once

#include <QDialog>

class ChasingArrows;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// Asks for a name and stores the current settings under it in the settings folder.
class NomreglWin : public QDialog {
    Q_OBJECT
public:
    explicit NomreglWin(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr;
    QLineEdit* EditField1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QLabel* StaticText2 = nullptr;
    ChasingArrows* ChasingArrows1 = nullptr;
    QTimer* Timer1 = nullptr;

    static constexpr int FeedbackMilliseconds = 2000;

    void PushButton1_Action();
    void PushButton2_Action();
    void Timer1_Action();
    // Writes the settings file; false (the user has been told) when it could not be.
    bool SauverReglages(const QString& path);

    // A name that stays inside the settings folder and that file systems accept.
    static bool isUsableName(const QString& name);

    void reject() override; // Escape is "Annuler"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showFeedback(const QString& text);
    void showNameField(bool shown);

    bool m_closing = false;
};
