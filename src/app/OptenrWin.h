#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// Save options: the user picks one of five output formats, reads what it keeps and loses,
// chooses for pictures whether the solution is drawn, and confirms.
class OptenrWin : public QDialog {
    Q_OBJECT
public:
    explicit OptenrWin(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr;
    QComboBox* PMformatenr = nullptr;
    QLabel* STexplications = nullptr;
    QCheckBox* CBexportsolution = nullptr;
    QPushButton* PBenr = nullptr;
    QPushButton* PBannuler = nullptr;

    struct Row {
        QString text;
        QString confirmCaption;
        bool pictureFormat;
        QString explanation;
    };
    static const QList<Row>& rows();

    void PMformatenr_Change();
    void PBenr_Action();
    void PBannuler_Action();
};
