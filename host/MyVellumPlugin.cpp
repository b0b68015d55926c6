#include "host/MyVellumPlugin.h"

MyVellumPlugin::MyVellumPlugin(QObject *parent) : QObject(parent) {}

MyVellumPlugin::~MyVellumPlugin() = default;

void MyVellumPlugin::searchFor(const QVariantMap &, SearchSender *sender)
{
    setDelegate(sender);
    clearResults();
    if (sender)
        sender->searchReturnedNumberOfResults(0, this);
}

std::optional<QVariantMap> MyVellumPlugin::resultNumber(qint64)
{
    return std::nullopt;
}

SearchSender *MyVellumPlugin::delegate() const
{
    QMutexLocker lock(&m_mutex);
    return m_delegate;
}

void MyVellumPlugin::setDelegate(SearchSender *sender)
{
    QMutexLocker lock(&m_mutex);
    m_delegate = sender;
}

MyVellumPlugin::Results MyVellumPlugin::results() const
{
    QMutexLocker lock(&m_mutex);
    return m_results;
}

QStringList MyVellumPlugin::resultsTitles() const
{
    QMutexLocker lock(&m_mutex);
    return m_results.titles;
}

QStringList MyVellumPlugin::resultsURLs() const
{
    QMutexLocker lock(&m_mutex);
    return m_results.numbers;
}

void MyVellumPlugin::clearResults()
{
    QMutexLocker lock(&m_mutex);
    m_results = {};
}

void MyVellumPlugin::appendResult(const QString &title, const QString &number)
{
    QMutexLocker lock(&m_mutex);
    m_results.titles.append(title);
    m_results.numbers.append(number);
}

void MyVellumPlugin::setResults(Results results)
{
    Q_ASSERT(results.titles.size() == results.numbers.size());
    QMutexLocker lock(&m_mutex);
    m_results = std::move(results);
}
