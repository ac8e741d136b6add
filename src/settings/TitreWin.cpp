#include "settings/TitreWin.h"

#include "maze/NumberText.h"
#include "maze/Titre.h"
#include "settings/Reglageswin.h"
#include "ui/BackdropWidget.h"
#include "ui/ColorPicker.h"
#include "ui/Fonts.h"
#include "ui/ModalSeam.h"
#include "ui/RectangleCouleur.h"
#include "ui/Resources.h"
#include "view/LabyWin.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// Larger glyphs only cost memory: the field shows a fraction of one already.
constexpr int LargestShownSize = 1000;

int truncatedSize(const QString& text) {
    const double value = std::trunc(NumberText::leadingValue(text));
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}
} // namespace

TitreWin::TitreWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TitreWin"));
    setWindowTitle(QStringLiteral("Titrage"));
    setModal(true);
    setFixedSize(809, 119);
    auto* content = BackdropWidget::fill(*this);

    auto label = [&](QLabel*& member, const char* name, const QString& text, QRect geometry) {
        member = new QLabel(text, content);
        member->setObjectName(QString::fromLatin1(name));
        member->setFont(Fonts::system(12));
        member->setGeometry(geometry);
    };
    auto box = [&](QCheckBox*& member, const char* name, const QString& text, QRect geometry) {
        member = new QCheckBox(text, content);
        member->setObjectName(QString::fromLatin1(name));
        member->setFont(Fonts::system(12));
        member->setGeometry(geometry);
    };
    auto button = [&](QPushButton*& member, const char* name, const QString& text, QRect geometry) {
        member = new QPushButton(text, content);
        member->setObjectName(QString::fromLatin1(name));
        member->setFont(Fonts::system(12));
        member->setGeometry(geometry);
    };

    label(STtitre, "STtitre", QStringLiteral("Titre:"), {5, 6, 37, 22});
    EFtitre = new QLineEdit(content);
    EFtitre->setObjectName(QStringLiteral("EFtitre"));
    EFtitre->setFont(Fonts::system(30));
    EFtitre->setGeometry(47, 6, 753, 71);
    label(STpolice, "STpolice", QStringLiteral("Police:"), {5, 90, 42, 20});
    PMpolice = new QComboBox(content);
    PMpolice->setObjectName(QStringLiteral("PMpolice"));
    PMpolice->setFont(Fonts::system(12));
    PMpolice->setGeometry(47, 90, 140, 20);
    label(STtaille, "STtaille", QStringLiteral("Taille:"), {220, 90, 39, 20});
    EFtaille = new QLineEdit(content);
    EFtaille->setObjectName(QStringLiteral("EFtaille"));
    EFtaille->setFont(Fonts::system(12));
    EFtaille->setGeometry(265, 89, 34, 22);
    label(STcouleur, "STcouleur", QStringLiteral("Couleur:"), {325, 90, 52, 20});
    CVcouleur = new RectangleCouleur(-1, content);
    CVcouleur->setObjectName(QStringLiteral("CVcouleur"));
    CVcouleur->setGeometry(380, 89, 20, 20);
    box(CBbold, "CBbold", QStringLiteral("Gras"), {425, 89, 53, 20});
    box(CBitalic, "CBitalic", QStringLiteral("Italique"), {490, 89, 68, 20});
    box(CBunderline, "CBunderline", QStringLiteral("Souligné"), {570, 89, 68, 20});
    button(PushButton2, "PushButton2", QStringLiteral("Annuler"), {650, 89, 69, 20});
    PushButton2->setAutoDefault(false);
    button(PushButton1, "PushButton1", QStringLiteral("OK"), {731, 90, 69, 20});
    PushButton1->setDefault(true);

    Open();

    // Connected after Open: filling the controls is no change of the user's.
    connect(PMpolice, &QComboBox::currentIndexChanged, this, &TitreWin::PMpolice_Change);
    connect(EFtaille, &QLineEdit::textChanged, this, &TitreWin::EFtaille_TextChange);
    connect(CBbold, &QCheckBox::toggled, this, &TitreWin::CBbold_Action);
    connect(CBitalic, &QCheckBox::toggled, this, &TitreWin::CBitalic_Action);
    connect(CBunderline, &QCheckBox::toggled, this, &TitreWin::CBunderline_Action);
    connect(CVcouleur, &RectangleCouleur::mouseDown, this, &TitreWin::CVcouleur_MouseDown);
    connect(PushButton1, &QPushButton::clicked, this, &TitreWin::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &TitreWin::PushButton2_Action);
}

void TitreWin::Open() {
    // The first family the platform lists is left out of the popup.
    m_families = QFontDatabase::families();
    for (qsizetype i = 1; i < m_families.size(); ++i) {
        PMpolice->addItem(m_families.at(i));
        if (m_families.at(i) == QStringLiteral("Arial"))
            PMpolice->setCurrentIndex(PMpolice->count() - 1);
    }

    m_color = Titre::Couleur;
    CVcouleur->setFillColor(m_color);
    EFtitre->setText(Titre::text);
    QFont font = EFtitre->font();
    // A family the platform does not list is kept by name, and stored back unchanged.
    font.setFamily(Titre::police);
    font.setBold(Titre::bold);
    font.setItalic(Titre::italic);
    font.setUnderline(Titre::underline);
    EFtitre->setFont(font);
    QPalette colors = EFtitre->palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::Text, m_color);
    EFtitre->setPalette(colors);
    m_size = Titre::size;
    showSize();

    for (int row = 0; row < PMpolice->count(); ++row)
        if (PMpolice->itemText(row) == Titre::police)
            PMpolice->setCurrentIndex(row);
    EFtaille->setText(QString::number(Titre::size));
    CBbold->setChecked(Titre::bold);
    CBitalic->setChecked(Titre::italic);
    CBunderline->setChecked(Titre::underline);
}

void TitreWin::showSize() {
    QFont font = EFtitre->font();
    if (m_size > 0) {
        font.setPixelSize(std::min(m_size, LargestShownSize));
    } else {
        // No size of 0 or less exists: the platform's default size is shown instead.
        const QFont standard = QApplication::font();
        if (standard.pixelSize() > 0)
            font.setPixelSize(standard.pixelSize());
        else
            font.setPointSizeF(standard.pointSizeF());
    }
    EFtitre->setFont(font);
}

QString TitreWin::familyOfRow(int row) const { return m_families.value(row + 1); }

int TitreWin::showDialog(QWidget* parent) {
    if (!parent) {
        // Over the drawer when it shows, so the drawer, a tool window, cannot cover it.
        Reglageswin* settings = Reglageswin::existing();
        parent = settings && settings->isVisible() ? static_cast<QWidget*>(settings)
                                                   : static_cast<QWidget*>(LabyWin::instance());
    }
    TitreWin dialog(parent);
    return ModalSeam::exec(dialog);
}

void TitreWin::PMpolice_Change() {
    const QString family = familyOfRow(PMpolice->currentIndex());
    if (family.isEmpty())
        return;
    QFont font = EFtitre->font();
    font.setFamily(family);
    EFtitre->setFont(font);
}

void TitreWin::EFtaille_TextChange() {
    m_size = truncatedSize(EFtaille->text());
    showSize();
}

void TitreWin::CBbold_Action() {
    QFont font = EFtitre->font();
    font.setBold(CBbold->isChecked());
    EFtitre->setFont(font);
}

void TitreWin::CBitalic_Action() {
    QFont font = EFtitre->font();
    font.setItalic(CBitalic->isChecked());
    EFtitre->setFont(font);
}

void TitreWin::CBunderline_Action() {
    QFont font = EFtitre->font();
    font.setUnderline(CBunderline->isChecked());
    EFtitre->setFont(font);
}

void TitreWin::CVcouleur_MouseDown() {
    const auto picked =
        ColorPicker::pick(m_color, QStringLiteral("Choisissez la couleur du titre."), this);
    if (!picked)
        return;
    m_color = *picked;
    CVcouleur->setFillColor(m_color);
    QPalette colors = EFtitre->palette();
    colors.setColor(QPalette::Text, m_color);
    EFtitre->setPalette(colors);
}

void TitreWin::PushButton1_Action() {
    const QFont font = EFtitre->font();
    Titre::text = EFtitre->text();
    Titre::police = font.family();
    Titre::size = m_size;
    Titre::Couleur = m_color;
    Titre::bold = font.bold();
    Titre::italic = font.italic();
    Titre::underline = font.underline();
    Reglageswin* settings = Reglageswin::instance();
    settings->MoRe();
    settings->AutoChargeRegs = false;
    accept();
}

void TitreWin::PushButton2_Action() { reject(); }
