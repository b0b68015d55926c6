#pragma once

#include "host/Text.h"

#include <QByteArray>
#include <QUrl>

// The title's pages on the site, each with the request it is read with.
namespace details {

QUrl titlePageAddress(const QString &titleNumber);
// HTTPS, 30 s, a browser's User-Agent; the raw body (empty when none came).
QByteArray fetchTitlePage(const QUrl &address);
// HTTPS, 15 s, no header of our own; UTF-8 only (null when there is no body or it is not
// valid UTF-8).
Text fetchFullCreditsPage(const QString &titleNumber);
Text fetchKeywordsPage(const QString &titleNumber);
// Plain HTTP on the www host, 10 s, read as Latin-1 (null when there is no body).
Text fetchPlotSummaryPage(const QString &titleNumber);

} // namespace details
