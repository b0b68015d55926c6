// imdb-test-site: serves a folder of pages as the movie database's site on loopback.
//
//   imdb-test-site FOLDER [--delay MS]
//
// Prints the environment that points the plug-in at it, one VARIABLE=VALUE a line, then
// serves until it is interrupted (SIGINT or SIGTERM).

#include "tests/support/TestSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
int signalPipe[2];

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a folder of pages as the site."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Delay every answer by MS."),
                      QStringLiteral("MS")});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The site's pages."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    TestSite site(parser.positionalArguments().first());
    site.setGlobalDelay(parser.value(QStringLiteral("delay")).toInt());
    if (!site.start()) {
        std::fprintf(stderr, "cannot listen on loopback\n");
        return 1;
    }
    std::printf("IMDB_WWW_HOST=localhost\nIMDB_BARE_HOST=127.0.0.1\nIMDB_HTTP_PORT=%u\n"
                "IMDB_HTTPS_PORT=%u\nIMDB_CA_FILE=%s\n",
                unsigned(site.httpPort()), unsigned(site.httpsPort()),
                qPrintable(TestSite::certificateFile()));
    std::fflush(stdout);

    if (::pipe(signalPipe) != 0)
        return 1;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QSocketNotifier interrupted(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupted, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    const int status = QCoreApplication::exec();
    site.stop();
    return status;
}
