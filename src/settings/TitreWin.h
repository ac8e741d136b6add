#pragma once

#include <QColor>
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RectangleCouleur;

// The maze's title: text, font, size, colour and styles. The title field shows the pending
// title as it will look; only "OK" writes it into Titre.
class TitreWin : public QDialog {
    Q_OBJECT
public:
    explicit TitreWin(QWidget* parent = nullptr);

    // Opens the dialog modally over the settings drawer (or the maze window), then
    // destroys it. Returns the dialog's result.
    static int showDialog(QWidget* parent = nullptr);

    QLabel* STtitre = nullptr;
    QLineEdit* EFtitre = nullptr;
    QLabel* STpolice = nullptr;
    QComboBox* PMpolice = nullptr;
    QLabel* STtaille = nullptr;
    QLineEdit* EFtaille = nullptr;
    QLabel* STcouleur = nullptr;
    RectangleCouleur* CVcouleur = nullptr;
    QCheckBox* CBbold = nullptr;
    QCheckBox* CBitalic = nullptr;
    QCheckBox* CBunderline = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton1 = nullptr;

    // The pending size as typed: 0 or less is kept, though shown at the default size.
    [[nodiscard]] int pendingSize() const { return m_size; }
    [[nodiscard]] QColor pendingColor() const { return m_color; }
    // The family row `row` of the font popup stands for.
    [[nodiscard]] QString familyOfRow(int row) const;

    void PMpolice_Change();
    void EFtaille_TextChange();
    void CBbold_Action();
    void CBitalic_Action();
    void CBunderline_Action();
    void CVcouleur_MouseDown();
    void PushButton1_Action();
    void PushButton2_Action();

private:
    void Open();
    void showSize();

    QStringList m_families; // as listed at opening: row r is m_families[r + 1]
    int m_size = 0;
    QColor m_color;
};
