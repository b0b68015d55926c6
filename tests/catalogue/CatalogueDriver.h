#pragma once

#include <QDeadlineTimer>
#include <QTest>
#include <QWidget>

#include <optional>

class LookupController;
class MainWindow;
class ResultsChooser;

// Plays the user of the catalogue's window, for tests and tools: fills and confirms its
// dialogs, starts look-ups and picks results, always through the window's own actions.
namespace driver {

// The visible dialog of type T on `window`, waiting (running the event loop) until one shows.
template<class T>
T *waitForDialog(QWidget *window, int timeoutMs = 10000)
{
    T *found = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            for (T *dialog : window->findChildren<T *>()) {
                if (dialog->isVisible()) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return shown ? found : nullptr;
}

// Adds an entry through "Add Entry" and its dialog; the new entry is then selected.
std::optional<qint64> addEntry(MainWindow &window, const QString &title, int year = 0,
                               const QString &number = {});

// Starts "Look Up…" on the selected entry, with `keyword` typed into its dialog, and waits
// for the results chooser; null when none opened in time.
ResultsChooser *startLookUp(MainWindow &window, LookupController &lookup,
                            const QString &keyword = {}, int timeoutMs = 60000);

// Picks result `index` in the chooser and waits for the look-up to end. Whether the record
// was stored; nothing on time-out.
std::optional<bool> pickResult(LookupController &lookup, ResultsChooser *chooser, int index,
                               int timeoutMs = 120000);

// Sets a user default of the plug-in, as its options panel would.
void setUserDefault(const QString &key, bool on);

} // namespace driver
