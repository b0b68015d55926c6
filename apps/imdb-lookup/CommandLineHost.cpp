#include "apps/imdb-lookup/CommandLineHost.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

QVariant MemoryEntry::valueForKey(const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.value(key);
}

void MemoryEntry::setValueForKey(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&m_mutex);
    m_values.insert(key, value);
}

QVariantMap MemoryEntry::values() const
{
    QMutexLocker lock(&m_mutex);
    return m_values;
}

CommandLineHost::CommandLineHost()
{
    host::setApplicationDelegate(this);
}

CommandLineHost::~CommandLineHost()
{
    if (host::applicationDelegate() == this)
        host::setApplicationDelegate(nullptr);
}

void CommandLineHost::addMenuItem(QAction *item, const QString &menuTitle)
{
    QMenu *&menu = m_menus[menuTitle];
    if (!menu)
        menu = m_mainWindow.menuBar()->addMenu(menuTitle);
    item->setParent(menu);
    menu->addAction(item);
}

std::optional<QString> CommandLineHost::customFieldWithTitle(const QString &title)
{
    for (const QString &field : m_customFields) {
        if (field.compare(title, Qt::CaseInsensitive) == 0)
            return field;
    }
    return std::nullopt;
}

void CommandLineHost::loadLink(const QString &address, bool)
{
    m_lastLink = address;
}

void CommandLineHost::searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *)
{
    m_reportedCount = count;
    if (m_waitLoop)
        m_waitLoop->quit();
}

void CommandLineHost::selectEntry(const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_entry.setValueForKey(it.key(), it.value());
    m_hasSelection = true;
}

std::optional<qsizetype> CommandLineHost::waitForSearchReport(int timeoutMs)
{
    if (!m_reportedCount) {
        QEventLoop loop;
        m_waitLoop = &loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        m_waitLoop = nullptr;
    }
    std::optional<qsizetype> count = m_reportedCount;
    m_reportedCount.reset();
    return count;
}
