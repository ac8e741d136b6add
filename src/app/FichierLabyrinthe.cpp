#include "app/FichierLabyrinthe.h"

#include "app/App.h"
#include "app/PaletteWin.h"
#include "files/FileTypes.h"
#include "files/Version1File.h"
#include "maze/DocumentState.h"
#include "maze/Titre.h"
#include "settings/Reglageswin.h"
#include "ui/FileDialogs.h"
#include "ui/ModalSeam.h"
#include "view/LabyWin.h"
#include "view/MazeCanvas.h"
#include "view/ResizeHandle.h"
#include "view/THRnouveaulaby.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QSlider>

#include <cmath>

namespace {
const QString EndOfLine = QStringLiteral("\n");

QString named(const QString& path) {
    return QStringLiteral("« ") + QFileInfo(path).fileName() + QStringLiteral(" »");
}

void cannotOpen(const QString& path, const QString& reason) {
    ModalSeam::information(LabyWin::instance(), QStringLiteral("Impossible d'ouvrir le fichier ") +
                                                    named(path) + QStringLiteral(".") + EndOfLine +
                                                    EndOfLine + reason);
}

// The palette and the menus once a maze file was read.
void showMazeState(bool mazeLoaded) {
    LabyWin* maze = LabyWin::instance();
    if (mazeLoaded) {
        maze->Laby = true;
        DocumentState::instance().mazeRead();
    }
    if (maze->Laby) {
        maze->AllowRefresh = true;
        maze->markGridChanged();
        maze->CVprincipal->update();
        maze->AllowResizing = false;
    }
    maze->Grower->setVisible(true);
    PaletteWin::instance()->update();
    maze->Refresh();
}
} // namespace

void FichierLabyrinthe::stopDrawing() {
    // A file read never works on a grid that is still growing.
    if (LabyWin* maze = LabyWin::existing(); maze && maze->THRnouveaulaby1->isRunning())
        maze->THRnouveaulaby1->stopAndFinish();
}

TaggedFile::Settings FichierLabyrinthe::currentSettings() {
    const LabyWin* maze = LabyWin::instance();
    TaggedFile::Settings settings;
    settings.corridor = Reglageswin::instance()->Slider1->value();
    settings.title = {Titre::text,   Titre::police,    Titre::size,         Titre::bold,
                      Titre::italic, Titre::underline, Titre::Couleur.rgb()};
    settings.thickness = maze->Epaisseurtrait;
    for (int i = 0; i < 6; ++i)
        settings.colors[static_cast<std::size_t>(i)] = maze->Couleurs.at(i);
    return settings;
}

bool FichierLabyrinthe::writeAtomically(const QString& path,
                                        const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (!write(file)) {
        reason = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    } else {
        return true;
    }
    ModalSeam::information(LabyWin::instance(), QStringLiteral("Le fichier ") + named(path) +
                                                    QStringLiteral(" n'a pas pu être enregistré.") +
                                                    EndOfLine + EndOfLine + reason);
    return false;
}

bool FichierLabyrinthe::writeSettingsFile(const QString& path) {
    const TaggedFile::Settings settings = currentSettings();
    return writeAtomically(
        path, [&](QIODevice& device) { return TaggedFile::writeSettings(device, settings); });
}

void FichierLabyrinthe::Sauvegarder() {
    LabyWin* maze = LabyWin::instance();
    const QString path = FileDialogs::save(maze, QStringLiteral("Labyrinthe2"),
                                           Titre::FichText() + QStringLiteral(".mndr"));
    // The stored grid carries the solution, found even when the user cancels.
    if (!maze->SolutionTrouvee)
        maze->FindSolution();
    if (path.isEmpty())
        return;
    const TaggedFile::Settings settings = currentSettings();
    writeAtomically(path, [&](QIODevice& device) {
        return TaggedFile::writeMaze(device, settings, maze->MatriceLabyrinthe);
    });
}

void FichierLabyrinthe::SauvegarderAncien() {
    LabyWin* maze = LabyWin::instance();
    const QString path = FileDialogs::save(maze, QStringLiteral("Labyrinthe1"),
                                           Titre::FichText() + QStringLiteral(".mn"));
    if (path.isEmpty())
        return;
    writeAtomically(path, [&](QIODevice& device) {
        return Version1File::write(device, maze->MatriceLabyrinthe);
    });
}

void FichierLabyrinthe::Ouvrir(const QString& path) {
    if (path.isEmpty())
        return;
    stopDrawing();
    LabyWin* maze = LabyWin::instance();
    Reglageswin* settings = Reglageswin::instance();
    const int rowOnEntry = settings->Jeureglcourant;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cannotOpen(path, file.errorString());
        return;
    }
    // Decoded before anything is applied, so that the question below can also protect a
    // maze shown from a maze file recalled through the settings popup.
    TaggedFile::ReadResult read = TaggedFile::read(file);
    file.close();
    const bool isSettingsFile =
        std::any_of(read.records.cbegin(), read.records.cend(), [](const TaggedFile::Record& r) {
            return r.kind == TaggedFile::Record::Kind::SettingsFlag && r.flag;
        });
    if (maze->Laby && (DirectFichier || !isSettingsFile) &&
        !App::instance()->Alerte(
            QStringLiteral("Voulez-vous vraiment effacer ce labyrinthe pour en ouvrir un autre?") +
                EndOfLine + EndOfLine +
                QStringLiteral("Si il s'agit d'un fichier de réglages, le labyrinthe ne sera pas "
                               "effacé."),
            QStringLiteral("Oui"), QStringLiteral("Non")))
        return;
    settings->MoRe();

    bool settingsFile = false;
    bool gridLoaded = false;
    for (TaggedFile::Record& record : read.records) {
        using Kind = TaggedFile::Record::Kind;
        switch (record.kind) {
        case Kind::Version:
            maze->VersionMeandrolithLabyrinthe = record.number;
            maze->VersionMeandrolithLabyrintheSpecial = record.text;
            break;
        case Kind::SettingsFlag:
            settingsFile = record.flag;
            if (settingsFile && DirectFichier)
                ModalSeam::information(
                    maze, maze->Laby ? QStringLiteral("Il s'agit d'un fichier de réglages. Les "
                                                      "réglages sont importés et appliqués au "
                                                      "labyrinthe courant.")
                                     : QStringLiteral("Il s'agit d'un fichier de réglages. Les "
                                                      "réglages sont importés."));
            break;
        case Kind::Corridor:
            if (std::isfinite(record.real))
                settings->setCorridorFromFile(static_cast<int>(std::clamp(
                    std::trunc(record.real), 0.0, double(settings->Slider1->maximum()))));
            break;
        case Kind::TitleRecord:
            Titre::text = record.title.text;
            Titre::police = record.title.font;
            Titre::size = record.title.size;
            Titre::bold = record.title.bold;
            Titre::italic = record.title.italic;
            Titre::underline = record.title.underline;
            Titre::Couleur = QColor::fromRgb(record.title.color);
            break;
        case Kind::Thickness:
            // A damaged file's 0 would leave no size to draw a cell with.
            if (record.number >= 1)
                settings->setThicknessFromFile(record.number);
            break;
        case Kind::Color:
            maze->Couleurs.set(record.number, record.color);
            break;
        case Kind::Grid:
            // The dimensions take effect only together with the grid they describe.
            maze->MatriceLabyrinthe = std::move(record.grid);
            maze->Largeur = maze->MatriceLabyrinthe.Largeur();
            maze->Hauteur = maze->MatriceLabyrinthe.Hauteur();
            maze->SolutionTrouvee = false;
            maze->markGridChanged();
            gridLoaded = true;
            break;
        case Kind::GridBeforeDimensions:
            ModalSeam::information(
                maze, QStringLiteral("Erreur lors de la lecture du fichier.") + EndOfLine +
                          QStringLiteral("Le labyrinthe n'est pas importé, mais les autres valeurs "
                                         "du fichier le sont.") +
                          EndOfLine + EndOfLine +
                          QStringLiteral("Erreur: dans un fichier Meandrolith v.2, les valeurs "
                                         "/LABY/ doivent être précédées des valeurs /LARG/ et "
                                         "/HAUT/."));
            break;
        case Kind::UnknownRecord:
            ModalSeam::information(
                maze, QStringLiteral("Une partie des données du fichier n'est pas reconnue par "
                                     "cette version de Meandrolith. C'est sans conséquence pour "
                                     "les autres données.") +
                          EndOfLine + EndOfLine + QStringLiteral("Balise: ") + record.text +
                          QStringLiteral("   Type de données: ") + record.signature);
            break;
        }
    }
    if (!read.error.isEmpty())
        ModalSeam::information(maze, QStringLiteral("Erreur lors de la lecture du fichier, "
                                                    "impossible de la terminer.") +
                                         EndOfLine + EndOfLine + read.error);

    if (settingsFile) {
        settings->Jeureglcourant = rowOnEntry;
        settings->selectRowQuietly(rowOnEntry);
    } else {
        maze->ClearCVlaby();
    }
    showMazeState(!settingsFile && gridLoaded);
}

void FichierLabyrinthe::OuvrirAncien(const QString& path) {
    if (path.isEmpty())
        return;
    stopDrawing();
    LabyWin* maze = LabyWin::instance();
    if (maze->Laby &&
        !App::instance()->Alerte(
            QStringLiteral("Voulez-vous vraiment effacer ce labyrinthe pour en ouvrir un autre?"),
            QStringLiteral("Oui"), QStringLiteral("Non")))
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cannotOpen(path, file.errorString());
        return;
    }
    // Read first: a file that cannot be a maze changes nothing.
    Version1File::ReadResult read = Version1File::read(file);
    file.close();
    if (!read.ok) {
        cannotOpen(path, read.error);
        return;
    }

    Reglageswin::instance()->MoRe();
    maze->ClearCVlaby();
    maze->Epaisseurtrait = 2;
    Titre::reset();
    maze->Largeur = read.grid.Largeur();
    maze->Hauteur = read.grid.Hauteur();
    const QRgb version1Colors[6] = {qRgb(255, 255, 255), qRgb(0, 0, 0),   qRgb(0, 255, 0),
                                    qRgb(255, 0, 0),     qRgb(255, 0, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 6; ++i)
        maze->Couleurs.set(i, version1Colors[i]);
    maze->MatriceLabyrinthe = std::move(read.grid);
    maze->SolutionTrouvee = false;
    maze->markGridChanged();
    maze->AfficherDimensions();
    showMazeState(true);
}

QString FichierLabyrinthe::typeCodeOf(const QString& path) { return FileTypes::typeCodeOf(path); }
