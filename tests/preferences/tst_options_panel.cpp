// The options panel loaded from its layout: what it shows of the stored options, what it
// stores when confirmed, the derived "IMDBCredits", and the keys it must leave alone.

#include "core/IMDB.h"
#include "platform/UserDefaults.h"
#include "preferences/IMDBOptionsPanel.h"
#include "tests/support/TestMain.h"

#include <QAbstractButton>
#include <QSettings>
#include <QTimer>

#include <numeric>

using namespace platform;

namespace {

QStringList panelKeys()
{
    return IMDBOptionsPanel::keysForPrefs();
}
const QString creditsKey = u"IMDBCredits"_qs;

bool stored(const QString &key)
{
    return QSettings().contains(key);
}

} // namespace

class OptionsPanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void eachBoxStoresItsKey_data();
    void eachBoxStoresItsKey();
    void boxesShowTheStoredOptions();
    void outsideKeysAreNeverTouched_data();
    void outsideKeysAreNeverTouched();

private:
    // Shows the panel and, once it is up as a sheet on the main window, checks exactly `rows`
    // and confirms; returns what the boxes showed before the change.
    QList<bool> showAndConfirm(const QList<int> &rows);
    TestHost m_host;
    std::unique_ptr<IMDBOptionsPanel> m_panel;
    bool m_allSheets = true;
};

void OptionsPanelTest::initTestCase()
{
    m_panel = IMDBOptionsPanel::load(IMDB::resourcesDirectory());
    QVERIFY(m_panel);
}

void OptionsPanelTest::init()
{
    QSettings().clear();
}

void OptionsPanelTest::cleanup()
{
    QVERIFY(m_allSheets);
}

QList<bool> OptionsPanelTest::showAndConfirm(const QList<int> &rows)
{
    QList<bool> shown;
    bool wasSheet = false;
    QTimer::singleShot(0, this, [&] {
        QDialog *panel = m_panel->panel();
        wasSheet = panel->isVisible() && panel->parentWidget() == &m_host.m_window &&
                   panel->windowModality() == Qt::WindowModal;
        for (int row = 0; row < panelKeys().size(); ++row) {
            shown.append(m_panel->cellAt(row)->isChecked());
            m_panel->cellAt(row)->setChecked(rows.contains(row));
        }
        m_panel->panel()->findChild<QAbstractButton *>(u"setPreferences"_qs)->click();
    });
    m_panel->showPreferences();
    m_allSheets = m_allSheets && wasSheet && !m_panel->panel()->isVisible();
    return shown;
}

void OptionsPanelTest::eachBoxStoresItsKey_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    const std::pair<const char16_t *, const char16_t *> boxes[] = {
        {u"Full cast", u"IMDBCreditsActors"},
        {u"Keep uncredited people", u"IMDBCreditsUncredited"},
        {u"Up to 20 producers from the title page", u"IMDBCreditsProducedBy"},
        {u"Music", u"IMDBCreditsMusic"},
        {u"Cinematography", u"IMDBCreditsCinematographer"},
        {u"Film editing", u"IMDBCreditsEditor"},
        {u"Casting", u"IMDBCreditsCasting"},
        {u"Production design", u"IMDBCreditsProductionDesigner"},
        {u"Art direction", u"IMDBCreditsArtDirector"},
        {u"Set decoration", u"IMDBCreditsSet"},
        {u"Costume design", u"IMDBCreditsCostume"},
        {u"Make-up department", u"IMDBCreditsMakeUp"},
        {u"Production management", u"IMDBCreditsProductionManager"},
        {u"Assistant directors", u"IMDBCreditsAssistant"},
        {u"Art department", u"IMDBCreditsArt"},
        {u"Sound department", u"IMDBCreditsSound"},
        {u"Special effects", u"IMDBCreditsSpecial"},
        {u"Visual effects", u"IMDBCreditsVisual"},
        {u"Stunts", u"IMDBCreditsStunts"},
        {u"Camera and electrical department", u"IMDBCreditsElectrical"},
        {u"Additional plot keywords", u"IMDBAdditionalPlotKeywords"},
    };
    for (const auto &[label, key] : boxes)
        QTest::newRow(qPrintable(QString::fromUtf16(key)))
            << QString::fromUtf16(label) << QString::fromUtf16(key);
}

// The box with each label stores YES under the key the lookup reads, and the unchecked ones
// are removed; any credit box turns the credits on, the keywords box alone removes them.
void OptionsPanelTest::eachBoxStoresItsKey()
{
    QFETCH(QString, label);
    QFETCH(QString, key);
    QSettings settings;
    for (const QString &other : panelKeys())
        settings.setValue(other, true);
    settings.setValue(creditsKey, true);
    settings.sync();
    int row = 0;
    while (m_panel->cellAt(row) && m_panel->cellAt(row)->text() != label)
        ++row;
    QVERIFY(m_panel->cellAt(row));
    showAndConfirm({row});
    QCOMPARE(UserDefaults::objectForKey(key), QVariant(true));
    for (const QString &other : panelKeys())
        QCOMPARE(stored(other), other == key);
    QCOMPARE(stored(creditsKey), key != u"IMDBAdditionalPlotKeywords"_qs);
    if (stored(creditsKey))
        QCOMPARE(UserDefaults::objectForKey(creditsKey), QVariant(true));
}

void OptionsPanelTest::boxesShowTheStoredOptions()
{
    QCOMPARE(showAndConfirm({}), QList<bool>(panelKeys().size(), false));

    QSettings settings;
    settings.setValue(panelKeys().at(0), true);
    settings.setValue(panelKeys().at(5), u"YES"_qs);
    // A NO stored from outside shows unchecked, and confirming removes it.
    settings.setValue(panelKeys().at(7), false);
    settings.sync();
    QList<bool> expected(panelKeys().size(), false);
    expected[0] = expected[5] = true;
    QCOMPARE(showAndConfirm({0, 5}), expected);
    QVERIFY(!stored(panelKeys().at(7)));
    QCOMPARE(UserDefaults::objectForKey(panelKeys().at(0)), QVariant(true));
    // Each showing reads the defaults again.
    UserDefaults::removeObject(panelKeys().at(0));
    expected[0] = false;
    QCOMPARE(showAndConfirm({}), expected);
}

void OptionsPanelTest::outsideKeysAreNeverTouched_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("none") << QList<int>();
    QTest::newRow("credits") << QList<int>{0, 19};
    QList<int> everything(21);
    std::iota(everything.begin(), everything.end(), 0);
    QTest::newRow("everything") << everything;
}

void OptionsPanelTest::outsideKeysAreNeverTouched()
{
    QFETCH(QList<int>, rows);
    const QVariantMap outside = {{u"Disable IMDB Country Release"_qs, false},
                                 {u"Disable IMDB Personal Rating"_qs, u"YES"_qs},
                                 {u"IMDB debug file"_qs, true}};
    QSettings settings;
    for (auto it = outside.cbegin(); it != outside.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    showAndConfirm(rows);
    for (auto it = outside.cbegin(); it != outside.cend(); ++it)
        QCOMPARE(UserDefaults::objectForKey(it.key()), it.value());
    for (int row = 0; row < panelKeys().size(); ++row)
        QCOMPARE(stored(panelKeys().at(row)), rows.contains(row));
    QCOMPARE(stored(creditsKey), !rows.isEmpty());

    QSettings().clear();
    showAndConfirm(rows);
    for (auto it = outside.cbegin(); it != outside.cend(); ++it)
        QVERIFY(!stored(it.key()));
}

IMDB_TEST_MAIN(OptionsPanelTest)
#include "tst_options_panel.moc"
