#pragma once

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class MyVellumPlugin;

// The object that asked for a search: told the number of results once per search.
class SearchSender
{
public:
    virtual ~SearchSender() = default;
    virtual void searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *sender) = 0;
};

// The base class of every metadata plug-in: the current search's sender and its results,
// two index-aligned lists of display titles and title numbers.
//
// The host reads the results on the main thread while a lookup may read them on a worker
// thread, so the lists are reached only through the operations below, under one lock.
class MyVellumPlugin : public QObject
{
    Q_OBJECT
public:
    explicit MyVellumPlugin(QObject *parent = nullptr);
    ~MyVellumPlugin() override;

    // Calls in from the host. A search ends with one searchReturnedNumberOfResults on the
    // sender; resultNumber returns the record of one result, or nothing.
    virtual void searchFor(const QVariantMap &search, SearchSender *sender);
    virtual std::optional<QVariantMap> resultNumber(qint64 index);

    SearchSender *delegate() const;
    void setDelegate(SearchSender *sender);

    struct Results
    {
        QStringList titles;
        QStringList numbers;
    };
    // One consistent copy of both lists.
    Results results() const;
    QStringList resultsTitles() const;
    QStringList resultsURLs() const;

protected:
    void clearResults();
    void appendResult(const QString &title, const QString &number);
    // Replaces both lists at once.
    void setResults(Results results);

private:
    mutable QMutex m_mutex;
    SearchSender *m_delegate = nullptr;
    Results m_results;
};
