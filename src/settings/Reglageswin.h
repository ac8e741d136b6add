#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class BevelButton;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The settings drawer: line thickness, average corridor length, colours, title and the
// named settings sets. Shown beside the palette and moving with it.
class Reglageswin : public QWidget {
    Q_OBJECT
public:
    static Reglageswin* instance();
    static Reglageswin* existing();

    static constexpr int MaximumThickness = 255; // files keep it in one byte

    int Jeureglcourant = 0;
    bool JustRecall = false;
    int CurrentValueSlider = 0;
    bool SliderAutoMoving = false;
    bool SliderValueChanged = false;
    bool AutoChargeRegs = false;

    QLabel* StaticText1 = nullptr;
    QLineEdit* EFepaisseurtrait = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText5 = nullptr;
    QSlider* Slider1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    BevelButton* BevelButton2 = nullptr;
    BevelButton* BevelButton1 = nullptr;
    QFrame* Separator1 = nullptr;
    QLabel* StaticText7 = nullptr;
    QComboBox* PMjeuregl = nullptr;
    QPushButton* PushButton2 = nullptr;
    QTimer* Timer1 = nullptr;

    void MoRe();
    void ChargerListeReglages();

    void EFepaisseurtrait_TextChange();
    void Slider1_ValueChanged();
    void Timer1_Action();
    void PMjeuregl_Change();
    bool PMjeuregl_MouseDown(int x, int y);
    void PushButton2_Action();
    void BevelButton1_Action();
    void BevelButton2_Action();

    // The folder of the named settings sets: "Réglages" in the program's data folder.
    static QString settingsFolder();
    // Tests point it elsewhere so that they never touch the user's sets.
    static inline QString folderForTests;
    // The factory settings of "Défaut".
    void applyFactorySettings();

    // Shows the window beside the palette, on its right.
    void showAsDrawer();
    // The window the drawer is attached to (the palette).
    void setDrawerAnchor(QWidget* anchor) { m_drawerAnchor = anchor; }

    // A file's values: applied as a confirmed change would be, without a question, so
    // that a maze just read is never erased by them.
    void setThicknessFromFile(int thickness);
    void setCorridorFromFile(int value);
    // Selects a row of the sets popup without recalling it.
    void selectRowQuietly(int row);

    static QString thicknessCaption(const QString& fieldText);
    static QString percentCaption(int sliderValue);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recallSet(int row);

    Reglageswin();
    void Open();

    QPointer<QWidget> m_drawerAnchor;
    static QPointer<Reglageswin> s_instance;
};
