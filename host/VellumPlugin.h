#pragma once

#include <QFlags>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtPlugin>

class CatalogueEntry;

// The interface a host finds on a plug-in's principal class. Every operation is optional:
// a plug-in says which it implements, and the host calls only those.
class VellumPlugin
{
public:
    enum class Operation {
        DownloadDataComplete = 0x01,
        OpenPreferences = 0x02,
        Language = 0x04,
        CoverForEntry = 0x08,
        Limits = 0x10,
        Types = 0x20,
        Sorts = 0x40,
        CountryCode = 0x80,
    };
    Q_DECLARE_FLAGS(Operations, Operation)

    virtual ~VellumPlugin() = default;

    virtual Operations implementedOperations() const = 0;

    // A page the host downloaded for the plug-in.
    virtual void downloadDataComplete(const QByteArray &) {}
    virtual void openPreferences() {}
    virtual QString language() const { return {}; }
    virtual QImage coverForEntry(CatalogueEntry *) { return {}; }
    virtual QStringList limits() const { return {}; }
    virtual QStringList types() const { return {}; }
    virtual QStringList sorts() const { return {}; }
    virtual QString countryCode() const { return {}; }
};

Q_DECLARE_OPERATORS_FOR_FLAGS(VellumPlugin::Operations)

#define VellumPlugin_iid "com.kavor.vellumbase.VellumPlugin/1.0"
Q_DECLARE_INTERFACE(VellumPlugin, VellumPlugin_iid)
