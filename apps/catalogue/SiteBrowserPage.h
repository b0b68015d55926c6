#pragma once

#include <QWebEnginePage>

// A browser page that, besides the engine's own certificate store, trusts the certificates
// named by IMDB_CA_FILE: the loopback test site's, when the application is pointed at it.
class SiteBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit SiteBrowserPage(QObject *parent = nullptr);
};
