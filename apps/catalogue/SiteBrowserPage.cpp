#include "apps/catalogue/SiteBrowserPage.h"

#include "platform/SiteConfig.h"

#include <QWebEngineCertificateError>

SiteBrowserPage::SiteBrowserPage(QObject *parent) : QWebEnginePage(parent)
{
    connect(this, &QWebEnginePage::certificateError, this,
            [](const QWebEngineCertificateError &error) {
                QWebEngineCertificateError decision = error;
                if (platform::site::verifiesWithExtraCaCertificates(error.certificateChain()))
                    decision.acceptCertificate();
                else
                    decision.rejectCertificate();
            });
}
