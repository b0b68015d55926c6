// The options panel loaded from its layout: what it shows of the stored options, what it
// stores when confirmed, the derived "IMDBCredits", and the keys it must leave alone.

#include "core/IMDB.h"
#include "platform/UserDefaults.h"
#include "preferences/IMDBOptionsPanel.h"
#include "tests/support/TestMain.h"

#include <QAbstractButton>
#include <QSettings>
#include <QTimer>

using namespace platform;

namespace {

const QStringList panelKeys = {
    u"IMDBCreditsActors"_qs,
    u"IMDBCreditsUncredited"_qs,
    u"IMDBCreditsProducedBy"_qs,
    u"IMDBCreditsMusic"_qs,
    u"IMDBCreditsCinematographer"_qs,
    u"IMDBCreditsEditor"_qs,
    u"IMDBCreditsCasting"_qs,
    u"IMDBCreditsProductionDesigner"_qs,
    u"IMDBCreditsArtDirector"_qs,
    u"IMDBCreditsSet"_qs,
    u"IMDBCreditsCostume"_qs,
    u"IMDBCreditsMakeUp"_qs,
    u"IMDBCreditsProductionManager"_qs,
    u"IMDBCreditsAssistant"_qs,
    u"IMDBCreditsArt"_qs,
    u"IMDBCreditsSound"_qs,
    u"IMDBCreditsSpecial"_qs,
    u"IMDBCreditsVisual"_qs,
    u"IMDBCreditsStunts"_qs,
    u"IMDBCreditsElectrical"_qs,
    u"IMDBAdditionalPlotKeywords"_qs,
};
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
    void keysAreTheRowsInOrder();
    void boxesShowTheStoredOptions();
    void panelIsASheetUntilConfirmed();
    void confirmingStoresYesAndRemovesTheRest();
    void anyCreditRowTurnsCreditsOn_data();
    void anyCreditRowTurnsCreditsOn();
    void keywordsRowAloneLeavesCreditsOff();
    void outsideKeysAreNeverTouched_data();
    void outsideKeysAreNeverTouched();
    void cleanupTestCase();

private:
    // Shows the panel and, once it is up, checks exactly `rows` and confirms; returns what
    // the boxes showed before the change.
    QList<bool> showAndConfirm(const QList<int> &rows);
    TestHost m_host;
    std::unique_ptr<IMDBOptionsPanel> m_panel;
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

QList<bool> OptionsPanelTest::showAndConfirm(const QList<int> &rows)
{
    QList<bool> shown;
    QTimer::singleShot(0, this, [&] {
        for (int row = 0; row < panelKeys.size(); ++row) {
            shown.append(m_panel->cellAt(row)->isChecked());
            m_panel->cellAt(row)->setChecked(rows.contains(row));
        }
        m_panel->panel()->findChild<QAbstractButton *>(u"setPreferences"_qs)->click();
    });
    m_panel->showPreferences();
    return shown;
}

void OptionsPanelTest::keysAreTheRowsInOrder()
{
    QCOMPARE(IMDBOptionsPanel::keysForPrefs(), panelKeys);
    // One labelled box per key, in one column from top to bottom, as the panel shows them.
    showAndConfirm({});
    for (int row = 0; row < panelKeys.size(); ++row) {
        QCheckBox *cell = m_panel->cellAt(row);
        QVERIFY(cell);
        QVERIFY(!cell->text().isEmpty());
        if (row > 0) {
            QCOMPARE(cell->x(), m_panel->cellAt(0)->x());
            QVERIFY(cell->y() > m_panel->cellAt(row - 1)->y());
        }
    }
    QVERIFY(!m_panel->cellAt(int(panelKeys.size())));
}

void OptionsPanelTest::boxesShowTheStoredOptions()
{
    QCOMPARE(showAndConfirm({}), QList<bool>(panelKeys.size(), false));

    QSettings settings;
    settings.setValue(panelKeys.at(0), true);
    settings.setValue(panelKeys.at(5), u"YES"_qs);
    // A NO stored from outside shows unchecked, and confirming removes it.
    settings.setValue(panelKeys.at(7), false);
    settings.sync();
    QList<bool> expected(panelKeys.size(), false);
    expected[0] = expected[5] = true;
    QCOMPARE(showAndConfirm({0, 5}), expected);
    QVERIFY(!stored(panelKeys.at(7)));
    QCOMPARE(UserDefaults::objectForKey(panelKeys.at(0)), QVariant(true));
    // Each showing reads the defaults again.
    UserDefaults::removeObject(panelKeys.at(0));
    expected[0] = false;
    QCOMPARE(showAndConfirm({}), expected);
}

void OptionsPanelTest::panelIsASheetUntilConfirmed()
{
    bool wasSheet = false;
    QTimer::singleShot(0, this, [&] {
        QDialog *panel = m_panel->panel();
        wasSheet = panel->isVisible() && panel->parentWidget() == &m_host.m_window &&
                   panel->windowModality() == Qt::WindowModal;
        panel->findChild<QAbstractButton *>(u"setPreferences"_qs)->click();
    });
    m_panel->showPreferences();
    QVERIFY(wasSheet);
    QVERIFY(!m_panel->panel()->isVisible());
}

void OptionsPanelTest::confirmingStoresYesAndRemovesTheRest()
{
    QSettings settings;
    for (const QString &key : panelKeys)
        settings.setValue(key, true);
    settings.setValue(creditsKey, true);
    settings.sync();
    showAndConfirm({3, 11});
    for (int row = 0; row < panelKeys.size(); ++row)
        QCOMPARE(stored(panelKeys.at(row)), row == 3 || row == 11);
    QCOMPARE(UserDefaults::objectForKey(panelKeys.at(3)), QVariant(true));
    QCOMPARE(UserDefaults::objectForKey(creditsKey), QVariant(true));

    showAndConfirm({});
    for (const QString &key : panelKeys)
        QVERIFY2(!stored(key), qPrintable(key));
    QVERIFY(!stored(creditsKey));
}

void OptionsPanelTest::anyCreditRowTurnsCreditsOn_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < 20; ++row)
        QTest::addRow("%s", qPrintable(panelKeys.at(row))) << row;
}

void OptionsPanelTest::anyCreditRowTurnsCreditsOn()
{
    QFETCH(int, row);
    showAndConfirm({row});
    QCOMPARE(UserDefaults::objectForKey(creditsKey), QVariant(true));
    QCOMPARE(UserDefaults::objectForKey(panelKeys.at(row)), QVariant(true));
}

void OptionsPanelTest::keywordsRowAloneLeavesCreditsOff()
{
    // A value stored from outside is replaced at every confirm.
    QSettings().setValue(creditsKey, true);
    showAndConfirm({20});
    QCOMPARE(UserDefaults::objectForKey(u"IMDBAdditionalPlotKeywords"_qs), QVariant(true));
    QVERIFY(!stored(creditsKey));
}

void OptionsPanelTest::outsideKeysAreNeverTouched_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("none") << QList<int>();
    QTest::newRow("credits") << QList<int>{0, 19};
    QTest::newRow("everything") << QList<int>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                              11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
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

    QSettings().clear();
    showAndConfirm(rows);
    for (auto it = outside.cbegin(); it != outside.cend(); ++it)
        QVERIFY(!stored(it.key()));
}

void OptionsPanelTest::cleanupTestCase()
{
    m_panel.reset();
}

IMDB_TEST_MAIN(OptionsPanelTest)
#include "tst_options_panel.moc"
