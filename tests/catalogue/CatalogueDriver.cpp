#include "tests/catalogue/CatalogueDriver.h"

#include "apps/catalogue/CatalogueModel.h"
#include "apps/catalogue/EntryDialog.h"
#include "apps/catalogue/LookUpDialog.h"
#include "apps/catalogue/LookupController.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/catalogue/ResultsChooser.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>

namespace driver {

std::optional<qint64> addEntry(MainWindow &window, const QString &title, int year,
                               const QString &number)
{
    window.addEntryAction()->trigger();
    EntryDialog *dialog = waitForDialog<EntryDialog>(&window);
    if (!dialog)
        return std::nullopt;
    dialog->titleEdit()->setText(title);
    if (year > 0)
        dialog->yearBox()->setValue(year);
    dialog->numberEdit()->setText(number);
    dialog->accept();
    if (!QTest::qWaitFor([&] { return window.selectedEntryId().has_value(); }, 5000))
        return std::nullopt;
    return window.selectedEntryId();
}

ResultsChooser *startLookUp(MainWindow &window, LookupController &lookup, const QString &keyword,
                            int timeoutMs)
{
    QSignalSpy opened(&lookup, &LookupController::chooserOpened);
    QSignalSpy finished(&lookup, &LookupController::finished);
    if (!window.lookUpAction()->isEnabled())
        return nullptr;
    window.lookUpAction()->trigger();
    LookUpDialog *dialog = waitForDialog<LookUpDialog>(&window);
    if (!dialog)
        return nullptr;
    dialog->keywordEdit()->setText(keyword);
    dialog->accept();
    if (!QTest::qWaitFor([&] { return !opened.isEmpty() || !finished.isEmpty(); }, timeoutMs))
        return nullptr;
    return opened.isEmpty() ? nullptr : opened.first().first().value<ResultsChooser *>();
}

std::optional<bool> pickResult(LookupController &lookup, ResultsChooser *chooser, int index,
                               int timeoutMs)
{
    if (!chooser)
        return std::nullopt;
    QSignalSpy finished(&lookup, &LookupController::finished);
    chooser->choose(index);
    chooser->accept();
    if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, timeoutMs))
        return std::nullopt;
    return finished.first().at(1).toBool();
}

void setUserDefault(const QString &key, bool on)
{
    QSettings settings;
    if (on)
        settings.setValue(key, true);
    else
        settings.remove(key);
}

} // namespace driver
