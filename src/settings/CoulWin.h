#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class RectangleCouleur;
class TexteCouleur;

// The maze's colours: one swatch per colour-table entry and the window background option.
// It edits copies; only "Modifier" writes them into the document.
class CoulWin : public QDialog {
    Q_OBJECT
public:
    static constexpr int SwatchCount = 6;
    static constexpr int TestIndex = 5; // hidden until the user types "t"

    explicit CoulWin(QWidget* parent = nullptr);

    // Opens the dialog modally over the settings drawer (or the maze window), then
    // destroys it. Returns the dialog's result.
    static int showDialog(QWidget* parent = nullptr);

    // Indexed by colour-table entry.
    std::array<RectangleCouleur*, SwatchCount> swatches{};
    std::array<TexteCouleur*, SwatchCount> labels{};
    QLabel* StaticText1 = nullptr;
    QComboBox* PMoptionfond = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;

    // "Choisissez la couleur des murs." and the like.
    static QString promptFor(int index);

    void RectangleCouleur_MouseDown(RectangleCouleur* swatch);
    void KeyDown(const QString& key);
    void PushButton1_Action();
    void PushButton2_Action();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
