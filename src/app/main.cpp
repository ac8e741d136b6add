#include "app/App.h"
#include "view/THRnouveaulaby.h"

#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char** argv) {
    App app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Meandrolith : tracé de labyrinthes."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("Graine du hasard : mêmes fenêtre, épaisseur, longueur et graine donnent "
                       "le même labyrinthe."),
        QStringLiteral("N"));
    parser.addOption(seedOption);
    parser.addPositionalArgument(QStringLiteral("fichier"),
                                 QStringLiteral("Labyrinthe à ouvrir au démarrage."),
                                 QStringLiteral("[fichier...]"));
    parser.process(app);

    if (parser.isSet(seedOption)) {
        bool ok = false;
        const qulonglong seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            QTextStream(stderr) << QStringLiteral("meandrolith : graine incorrecte « %1 » "
                                                  "(un entier positif est attendu).\n")
                                       .arg(parser.value(seedOption));
            return 2;
        }
        THRnouveaulaby::fixedSeed = seed;
    }

    app.Demarrer();
    for (const QString& path : parser.positionalArguments())
        app.OpenDocument(path);
    return App::exec();
}
