#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;
class QWidget;

// Name, version, credits and links of the program.
class AboutWin : public QDialog {
    Q_OBJECT
public:
    explicit AboutWin(QWidget* parent = nullptr);

    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText5 = nullptr;
    QLabel* StaticText6 = nullptr;
    QLabel* StaticText7 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* StaticText9 = nullptr;
    QLabel* StaticText10 = nullptr;
    QWidget* Canvas3 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;

    static inline const QString DeveloperAddress = QStringLiteral("meandrolith@example.org");
    static inline const QString ForumAddress = QStringLiteral("https://forum.example.org/dedale");
    static inline const QString DonationAddress =
        QStringLiteral("https://meandrolith.example.org/don");

    void PushButton1_Action();
    void PushButton2_Action();

    // Where links are opened; tests replace it.
    static inline std::function<void(const QUrl&)> openUrl;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLinkLook(QLabel* link, bool hovered);
    QUrl targetOf(QLabel* link) const;
};
