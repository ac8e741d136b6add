#include "app/OptenrWin.h"

#include "app/FichierLabyrinthe.h"
#include "ui/BackdropWidget.h"
#include "ui/Fonts.h"
#include "view/LabyWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

const QList<OptenrWin::Row>& OptenrWin::rows() {
    static const QList<Row> table = {
        {QStringLiteral("Meandrolith"), QStringLiteral("Sauvegarder"), false,
         QStringLiteral("Enregistrer le labyrinthe au format Meandrolith. La solution pourra être "
                        "trouvée plus tard.\n"
                        "Le labyrinthe pourra être utilisé par d'autres programmes (par exemple "
                        "pour être joué).")},
        {QStringLiteral("Meandrolith (version 1)"), QStringLiteral("Sauvegarder"), false,
         QStringLiteral("Enregistrer le labyrinthe au format Meandrolith version 1. Utilisé pour "
                        "la compatibilité avec les anciennes versions de Meandrolith. Vous perdez "
                        "alors des données telles que le titre, les couleurs et l'épaisseur du "
                        "trait. De plus, une erreur de conception de la version précédente oblige "
                        "à ouvrir deux fois à la suite le labyrinthe avant de pouvoir en trouver "
                        "la solution.")},
        {QStringLiteral("JPEG"), QStringLiteral("Exporter"), true,
         QStringLiteral("Enregistrer le labyrinthe au format JPEG. Enregistre le labyrinthe sous "
                        "forme d'image compressée altérée. Vous ne pourrez plus utiliser ce "
                        "labyrinthe dans Meandrolith.")},
        {QStringLiteral("PICT"), QStringLiteral("Exporter"), true,
         QStringLiteral("Enregistrer le labyrinthe au format PICT. Enregistre le labyrinthe sous "
                        "forme d'image non compressée. Vous ne pourrez plus utiliser ce "
                        "labyrinthe dans Meandrolith.")},
        {QStringLiteral("PNG"), QStringLiteral("Exporter"), true,
         QStringLiteral("Enregistrer le labyrinthe au format PNG. Enregistre le labyrinthe sous "
                        "forme d'image compressée non altérée. Vous ne pourrez plus utiliser ce "
                        "labyrinthe dans Meandrolith.")},
    };
    return table;
}

OptenrWin::OptenrWin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptenrWin"));
    setWindowTitle(QStringLiteral("Options de sauvegarde"));
    setFixedSize(339, 177);
    BackdropWidget::paintWhite(*this);

    StaticText1 = new QLabel(QStringLiteral("Format:"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(Fonts::system(12));
    StaticText1->setGeometry(8, 9, 49, 20);
    PMformatenr = new QComboBox(this);
    PMformatenr->setObjectName(QStringLiteral("PMformatenr"));
    PMformatenr->setFont(Fonts::system(12));
    PMformatenr->setGeometry(69, 8, 262, 22);
    for (const Row& row : rows())
        PMformatenr->addItem(row.text);
    STexplications = new QLabel(rows().constFirst().explanation, this);
    STexplications->setObjectName(QStringLiteral("STexplications"));
    // The longest explanation must fit the label: monospaced fonts here run wider than the
    // form's, so the size steps down from 10 pixels until it does.
    QFont explanationFont = Fonts::courier(10);
    for (int pixels = 10; pixels >= 7; --pixels) {
        explanationFont = Fonts::courier(pixels);
        const QFontMetrics metrics(explanationFont);
        const bool fits = std::all_of(rows().cbegin(), rows().cend(), [&](const Row& row) {
            return metrics.boundingRect(QRect(0, 0, 321, 1000), Qt::TextWordWrap, row.explanation)
                       .height() <= 83;
        });
        if (fits)
            break;
    }
    STexplications->setFont(explanationFont);
    STexplications->setWordWrap(true);
    STexplications->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    STexplications->setGeometry(9, 34, 321, 83);
    CBexportsolution = new QCheckBox(QStringLiteral("Tracer la solution"), this);
    CBexportsolution->setObjectName(QStringLiteral("CBexportsolution"));
    CBexportsolution->setFont(Fonts::system(12));
    CBexportsolution->setGeometry(9, 119, 142, 20);
    CBexportsolution->setEnabled(false);
    PBenr = new QPushButton(QStringLiteral("Sauvegarder"), this);
    PBenr->setObjectName(QStringLiteral("PBenr"));
    PBenr->setFont(Fonts::system(12));
    PBenr->setGeometry(238, 151, 93, 20);
    PBenr->setDefault(true);
    PBannuler = new QPushButton(QStringLiteral("Annuler"), this);
    PBannuler->setObjectName(QStringLiteral("PBannuler"));
    PBannuler->setFont(Fonts::system(12));
    PBannuler->setGeometry(133, 151, 93, 20);
    PBannuler->setAutoDefault(false);

    connect(PMformatenr, &QComboBox::currentIndexChanged, this, &OptenrWin::PMformatenr_Change);
    connect(PBenr, &QPushButton::clicked, this, &OptenrWin::PBenr_Action);
    connect(PBannuler, &QPushButton::clicked, this, &OptenrWin::PBannuler_Action);
}

void OptenrWin::PMformatenr_Change() {
    const Row& row = rows().value(PMformatenr->currentIndex(), rows().constFirst());
    STexplications->setText(row.explanation);
    PBenr->setText(row.confirmCaption);
    CBexportsolution->setEnabled(row.pictureFormat);
}

void OptenrWin::PBenr_Action() {
    // The dialog closes first: the writers ask for the file themselves.
    const int format = PMformatenr->currentIndex();
    const bool withSolution = CBexportsolution->isChecked();
    accept();
    if (format == 0)
        FichierLabyrinthe::Sauvegarder();
    else if (format == 1)
        FichierLabyrinthe::SauvegarderAncien();
    else
        LabyWin::instance()->ExportAsImage(format, withSolution);
}

void OptenrWin::PBannuler_Action() { reject(); }
