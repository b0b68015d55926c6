// The "IMDb" menu's commands on the command line: the side windows are built offscreen by the
// plug-in's own controllers, and what they show is printed.

#include "apps/imdb-lookup/Session.h"

#include <QAction>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>

#include <unistd.h>

namespace {

// The catalogue entry the command line names: the title words, --year and --imdb. With none
// of them nothing is selected.
void selectEntry(Session &session)
{
    QVariantMap values;
    const QString title = session.arguments.join(u' ');
    if (!title.isEmpty())
        values.insert(QStringLiteral("title"), title);
    if (session.options.isSet(QStringLiteral("imdb")))
        values.insert(QStringLiteral("imdb"), session.options.value(QStringLiteral("imdb")));
    if (session.options.isSet(QStringLiteral("year"))) {
        const int year = session.options.value(QStringLiteral("year")).toInt();
        if (year > 0)
            values.insert(QStringLiteral("theatrical"), QDate(year, 1, 1));
    }
    if (!values.isEmpty())
        session.host.selectEntry(values);
}

// Runs one of the plug-in's menu actions, as choosing its item does.
void runAction(Session &session, const char *action)
{
    QMetaObject::invokeMethod(session.plugin.instance, action, Q_ARG(QAction *, nullptr));
}

QObject *sideWindowController(Session &session, const QString &field)
{
    QObject *controller = nullptr;
    QMetaObject::invokeMethod(session.plugin.instance, "sideWindowController",
                              Q_RETURN_ARG(QObject *, controller), Q_ARG(QString, field));
    return controller;
}

void printJson(const QJsonObject &object)
{
    printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n');
}

// A cell on a line of tab-separated cells: its own line breaks and tabs become spaces.
QString cell(const QString &text)
{
    QString flat = text;
    for (QChar &c : flat) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return flat;
}

// The window's title, or an error when the window could not be made.
bool printTitle(const QString &title)
{
    if (title.isEmpty()) {
        printError(QStringLiteral("The window could not be loaded.\n"));
        return false;
    }
    printOut(title + u'\n');
    return true;
}

int printRows(Session &session, const QString &title, const QList<QVariantMap> &rows,
              const QStringList &keys)
{
    if (session.json) {
        QJsonArray list;
        for (const QVariantMap &row : rows)
            list.append(QJsonObject::fromVariantMap(row));
        printJson({{QStringLiteral("title"), title}, {QStringLiteral("rows"), list}});
        return title.isEmpty() ? 1 : 0;
    }
    if (!printTitle(title))
        return 1;
    for (const QVariantMap &row : rows) {
        QStringList cells;
        for (const QString &key : keys)
            cells.append(cell(row.value(key).toString()));
        printOut(cells.join(u'\t') + u'\n');
    }
    return 0;
}

// The text with its styled runs set off by terminal escapes.
QString withTerminalStyles(const QString &text, const QVariantList &runs)
{
    QString styled;
    qsizetype copied = 0;
    for (const QVariant &value : runs) {
        const QVariantMap run = value.toMap();
        const qsizetype start = run.value(QStringLiteral("start")).toLongLong();
        const qsizetype length = run.value(QStringLiteral("length")).toLongLong();
        if (start < copied || start + length > text.size())
            continue;
        const bool italic = run.value(QStringLiteral("style")).toString() == u"italic";
        styled += QStringView(text).mid(copied, start - copied);
        styled += italic ? u"\x1b[3m" : u"\x1b[1m";
        styled += QStringView(text).mid(start, length);
        styled += u"\x1b[0m";
        copied = start + length;
    }
    styled += QStringView(text).mid(copied);
    return styled;
}

int textWindowCommand(Session &session, const char *action)
{
    selectEntry(session);
    runAction(session, action);
    const QObject *window = sideWindowController(session, QStringLiteral("textWindowViewCont"));
    const QString title = window ? window->property("title").toString() : QString();
    const QString text = window ? window->property("text").toString() : QString();
    const QVariantList runs = window ? window->property("runs").toList() : QVariantList();
    if (session.json) {
        printJson({{QStringLiteral("title"), title},
                   {QStringLiteral("text"), text},
                   {QStringLiteral("runs"), QJsonArray::fromVariantList(runs)}});
        return title.isEmpty() ? 1 : 0;
    }
    if (!printTitle(title))
        return 1;
    printOut(isatty(STDOUT_FILENO) ? withTerminalStyles(text, runs) : text);
    if (!text.endsWith(u'\n'))
        printOut(QStringLiteral("\n"));
    return 0;
}

// The tag the plug-in gives its "Local Date in Release" item.
constexpr int localDateTag = 89;

QAction *localDateItem(Session &session)
{
    const QMenu *menu = session.host.menu(QStringLiteral("IMDb"));
    if (!menu)
        return nullptr;
    for (QAction *item : menu->actions()) {
        if (item->data().isValid() && item->data().toInt() == localDateTag)
            return item;
    }
    return nullptr;
}

} // namespace

int awardsCommand(Session &session)
{
    selectEntry(session);
    runAction(session, "openAwards");
    const QObject *window = sideWindowController(session, QStringLiteral("awardsView"));
    QList<QVariantMap> rows;
    if (window) {
        for (const QVariant &row : window->property("rows").toList())
            rows.append(row.toMap());
    }
    return printRows(session, window ? window->property("title").toString() : QString(), rows,
                     {QStringLiteral("year"), QStringLiteral("award"), QStringLiteral("result"),
                      QStringLiteral("category"), QStringLiteral("persons")});
}

int locationsCommand(Session &session)
{
    selectEntry(session);
    runAction(session, "openLocation");
    const QObject *window = sideWindowController(session, QStringLiteral("locationView"));
    QList<QVariantMap> rows;
    if (window) {
        const QStringList locations = window->property("locationArray").toStringList();
        const QStringList scenes = window->property("sceneArray").toStringList();
        for (qsizetype i = 0; i < std::min(locations.size(), scenes.size()); ++i) {
            rows.append({{QStringLiteral("location"), locations.at(i)},
                         {QStringLiteral("scene"), scenes.at(i)}});
        }
    }
    return printRows(session, window ? window->property("title").toString() : QString(), rows,
                     {QStringLiteral("location"), QStringLiteral("scene")});
}

int goofsCommand(Session &session)
{
    return textWindowCommand(session, "openMistakes");
}

int quotesCommand(Session &session)
{
    return textWindowCommand(session, "openQuotes");
}

int soundtrackCommand(Session &session)
{
    return textWindowCommand(session, "openSoundTrack");
}

int triviaCommand(Session &session)
{
    return textWindowCommand(session, "openTrivia");
}

int openSiteCommand(Session &session)
{
    selectEntry(session);
    runAction(session, "openIMDBSite");
    const QString link = session.host.lastLink();
    if (!link.isEmpty()) {
        if (session.json)
            printJson({{QStringLiteral("address"), link}});
        else
            printOut(link + u'\n');
        return 0;
    }
    for (const QMessageBox *alert : session.host.mainWindow()->findChildren<QMessageBox *>())
        printError(alert->text() + u": " + alert->informativeText() + u'\n');
    return 1;
}

int localDateCommand(Session &session)
{
    QAction *item = localDateItem(session);
    if (!item) {
        printError(QStringLiteral("The plug-in has no \"Local Date in Release\" item.\n"));
        return 1;
    }
    item->trigger();
    // The host asks before it shows the item again; that sets its check mark.
    QMetaObject::invokeMethod(session.plugin.instance, "validateMenuItem", Q_ARG(QAction *, item));
    if (session.json)
        printJson({{QStringLiteral("checked"), item->isChecked()}});
    else
        printOut(item->isChecked() ? QStringLiteral("on\n") : QStringLiteral("off\n"));
    return 0;
}
