// imdb-lookup: a command-line host for the catalogue plug-in.

#include "apps/imdb-lookup/Session.h"
#include "apps/shared/ProcessSetup.h"
#include "platform/WebView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

struct Command
{
    const char *name;
    const char *summary;
    int (*run)(Session &);
};

const Command commands[] = {
    {"search", "Search the site and print one line per result: NUMBER<TAB>TITLE", searchCommand},
    {"lookup", "Search, then print the record of one result (--pick N, default 0) as JSON",
     lookupCommand},
    {"prefs", "List the options with their values, or set one: prefs KEY on|off", prefsCommand},
    {"awards",
     "The awards window: its title, then YEAR<TAB>AWARD<TAB>RESULT<TAB>CATEGORY<TAB>PERSONS",
     awardsCommand},
    {"locations", "The locations window: its title, then LOCATION<TAB>SCENE", locationsCommand},
    {"goofs", "The goofs window: its title, then its text", goofsCommand},
    {"quotes", "The quotes window: its title, then its text", quotesCommand},
    {"soundtrack", "The soundtrack window: its title, then its text", soundtrackCommand},
    {"trivia", "The trivia window: its title, then its text", triviaCommand},
    {"open-site", "Print the title page address the browser view is given", openSiteCommand},
    {"local-date", "Toggle \"Local Date in Release\" and print its check mark: on|off",
     localDateCommand},
};

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

// The frameworks' own chatter (the browser engine describes its graphics set-up at every
// start) is not this program's output; IMDB_LOOKUP_QT_MESSAGES=1 shows it again.
void quietFrameworkMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    static const bool shown = qEnvironmentVariableIntValue("IMDB_LOOKUP_QT_MESSAGES") != 0;
    if (shown || type == QtCriticalMsg || type == QtFatalMsg)
        qt_message_output(type, context, text);
}

// Settings a process has to make before its application object exists.
void prepareProcess()
{
    qInstallMessageHandler(quietFrameworkMessages);
    // A command-line program needs no display: widgets are built offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    hostapp::prepareGuiProcess();
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Looks movies up on the movie database's web site through the catalogue plug-in."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("year"), QStringLiteral("The movie's year (theatrical date 1 January)."),
         QStringLiteral("Y")},
        {QStringLiteral("imdb"), QStringLiteral("The movie's title number."), QStringLiteral("N")},
        {QStringLiteral("url"), QStringLiteral("The movie's title-page address."),
         QStringLiteral("U")},
        {QStringLiteral("original-title"), QStringLiteral("The movie's original title."),
         QStringLiteral("T")},
        {QStringLiteral("keyword"), QStringLiteral("Search for this text instead."),
         QStringLiteral("K")},
        {QStringLiteral("json"), QStringLiteral("Print JSON.")},
        {QStringLiteral("web-view"),
         QStringLiteral("How the find page is loaded: 'browser' (a browser engine that runs the "
                        "page's scripts) or 'static' (one request and an HTML parser; it runs no "
                        "scripts, so results a page adds by script are not seen). Default: %1.")
             .arg(platform::WebView::browserAvailable() ? QStringLiteral("browser")
                                                        : QStringLiteral("static")),
         QStringLiteral("KIND")},
        {QStringLiteral("timing"),
         QStringLiteral("lookup: print how long the search and the lookup took (standard error).")},
        {QStringLiteral("pick"), QStringLiteral("lookup: the result to look up (from 0)."),
         QStringLiteral("N")},
        {QStringLiteral("custom-field"),
         QStringLiteral("lookup: give the catalogue a user-defined field of this title "
                        "(repeatable); its record key is the title itself."),
         QStringLiteral("TITLE")},
        {QStringLiteral("plugin-library"), QStringLiteral("The plug-in library to load."),
         QStringLiteral("PATH")},
    });
    QString summary;
    for (const Command &command : commands)
        summary += QStringLiteral("\n  %1  %2")
                       .arg(QLatin1String(command.name), -8)
                       .arg(QLatin1String(command.summary));
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of:") + summary);
    parser.addPositionalArgument(QStringLiteral("words"), QStringLiteral("The title."),
                                 QStringLiteral("[TITLE...]"));
}

QString pluginPath(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("plugin-library")))
        return parser.value(QStringLiteral("plugin-library"));
    return hostapp::defaultPlugInsDirectory() + QStringLiteral("/IMDB.bundle/IMDB.so");
}

} // namespace

int main(int argc, char **argv)
{
    prepareProcess();
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup"));
    QCoreApplication::setApplicationName(QStringLiteral("imdb-lookup"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        parser.showHelp(2);
    const Command *command = findCommand(positional.takeFirst());
    if (!command) {
        printError(QStringLiteral("Unknown command. Try --help.\n"));
        return 2;
    }

    if (parser.isSet(QStringLiteral("web-view"))) {
        const QString kind = parser.value(QStringLiteral("web-view"));
        if (kind == u"static") {
            platform::WebView::setPreferredKind(platform::WebView::Kind::Static);
        } else if (kind == u"browser" && platform::WebView::browserAvailable()) {
            platform::WebView::setPreferredKind(platform::WebView::Kind::Browser);
        } else {
            printError(QStringLiteral("--web-view takes 'browser' or 'static'%1.\n")
                           .arg(platform::WebView::browserAvailable()
                                    ? QString()
                                    : QStringLiteral(" (this build has no browser engine)")));
            return 2;
        }
    }

    CommandLineHost host;
    QString error;
    LoadedPlugin plugin = hostapp::loadPlugIn(pluginPath(parser), &error);
    if (!plugin.plugin || !plugin.interface) {
        printError(QStringLiteral("Cannot load the plug-in: %1\n").arg(error));
        return 2;
    }
    Session session{parser, positional, host, plugin, parser.isSet(QStringLiteral("json"))};
    const int status = command->run(session);
    delete plugin.instance;
    return status;
}
