#include "tests/support/TestHost.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

QVariant TestEntry::valueForKey(const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.value(key);
}

void TestEntry::setValueForKey(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&m_mutex);
    m_values.insert(key, value);
}

QVariantMap TestEntry::values() const
{
    QMutexLocker lock(&m_mutex);
    return m_values;
}

TestHost::TestHost()
{
    host::setApplicationDelegate(this);
}

TestHost::~TestHost()
{
    if (host::applicationDelegate() == this)
        host::setApplicationDelegate(nullptr);
}

FieldsController *TestHost::fieldsController()
{
    m_fieldsControllerCalls.fetchAndAddRelaxed(1);
    m_fieldsControllerThread.storeRelease(QThread::currentThread());
    return this;
}

void TestHost::addMenuItem(QAction *item, const QString &menuTitle)
{
    QMenu *&menu = m_menus[menuTitle];
    if (!menu)
        menu = m_window.menuBar()->addMenu(menuTitle);
    item->setParent(menu);
    menu->addAction(item);
    m_items[menuTitle].append(item);
}

std::optional<QString> TestHost::customFieldWithTitle(const QString &title)
{
    QMutexLocker lock(&m_fieldsMutex);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        if (it.key().compare(title, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return std::nullopt;
}

void TestHost::setCustomFields(const QHash<QString, QString> &fields)
{
    QMutexLocker lock(&m_fieldsMutex);
    m_fields = fields;
}

void TestHost::loadLink(const QString &address, bool)
{
    m_links.append(address);
}

void TestHost::searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *)
{
    m_reports.append(count);
}

QList<QPointer<QAction>> TestHost::menuItems(const QString &menuTitle) const
{
    return m_items.value(menuTitle);
}

bool TestHost::waitForReports(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_reports.size() >= count; }, timeoutMs);
}

IsolatedEnvironment::IsolatedEnvironment()
{
    static QTemporaryDir root;
    m_root = root.path();
    for (const char *folder : {"config", "data", "home", "cache", "runtime"})
        QDir(m_root).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(m_root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (m_root + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_root + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (m_root + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (m_root + QStringLiteral("/runtime")).toLocal8Bit());
    qputenv("HOME", home().toLocal8Bit());
}

void IsolatedEnvironment::applyNames() const
{
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("tests"));
}

QString IsolatedEnvironment::home() const
{
    return m_root + QStringLiteral("/home");
}

QByteArray readTestData(const QString &relativePath)
{
    QFile file(testData(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(relativePath));
    return file.readAll();
}
