// catalogue: a desktop movie catalogue that hosts the metadata plug-ins.

#include "apps/catalogue/CatalogueApplication.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/shared/ProcessSetup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char **argv)
{
    hostapp::prepareGuiProcess();
    QApplication app(argc, argv);
    // Settings, the catalogue file and the plug-in's user defaults live under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup"));
    QCoreApplication::setApplicationName(QStringLiteral("catalogue"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    QGuiApplication::setApplicationDisplayName(QObject::tr("Catalogue"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QObject::tr("A movie catalogue that looks its movies up through its plug-ins."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption catalogue(
        QStringLiteral("catalogue"),
        QObject::tr("The catalogue file to open (made when missing). Default: %1.")
            .arg(QStringLiteral("catalogue.sqlite in the user's data folder")),
        QStringLiteral("FILE"));
    const QCommandLineOption plugIns(
        QStringLiteral("plugins"),
        QObject::tr("The folder of plug-in bundles. Default: IMDB_PLUGINS_DIR, else PlugIns "
                    "beside the program's folder."),
        QStringLiteral("DIR"));
    parser.addOptions({catalogue, plugIns});
    parser.process(app);

    CatalogueApplication catalogueApp({parser.value(catalogue), parser.value(plugIns), QString()});
    QString error;
    if (!catalogueApp.start(&error)) {
        QMessageBox::critical(nullptr, QObject::tr("Catalogue"),
                              QObject::tr("The catalogue cannot be opened.\n\n%1").arg(error));
        return 1;
    }
    for (const QString &pluginError : catalogueApp.pluginErrors())
        qWarning("%s", qPrintable(pluginError));
    catalogueApp.window().show();
    return QApplication::exec();
}
