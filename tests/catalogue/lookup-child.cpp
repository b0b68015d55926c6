// catalogue-lookup-child CATALOGUE ENTRY-ID RESULT
//
// The catalogue application, started as its main() starts it, playing a user who selects
// one entry, looks it up and picks one result. The kill test runs it with the store's pause
// hook set and kills it while the record is being stored. Prints "stored" when the record
// was stored; exits 1 otherwise.

#include "apps/catalogue/CatalogueApplication.h"
#include "apps/catalogue/LookupController.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/shared/ProcessSetup.h"
#include "tests/catalogue/CatalogueDriver.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    hostapp::prepareGuiProcess();
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("lookup-child"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: catalogue-lookup-child CATALOGUE ENTRY-ID RESULT\n");
        return 2;
    }

    CatalogueApplication catalogue({arguments.at(1), QString(), QString()});
    QString error;
    if (!catalogue.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    catalogue.window().show();
    catalogue.window().selectEntry(arguments.at(2).toLongLong());
    ResultsChooser *chooser = driver::startLookUp(catalogue.window(), catalogue.lookup());
    if (!chooser) {
        std::fprintf(stderr, "no results\n");
        return 1;
    }
    const std::optional<bool> stored =
        driver::pickResult(catalogue.lookup(), chooser, arguments.at(3).toInt());
    if (!stored || !*stored) {
        std::fprintf(stderr, "not stored\n");
        return 1;
    }
    std::printf("stored\n");
    return 0;
}
