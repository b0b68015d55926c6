#include "windows/MyAwards.h"

#include "core/IMDB.h"
#include "host/HostController.h"
#include "platform/NibLoading.h"
#include "platform/StringFormat.h"
#include "platform/SystemLog.h"
#include "platform/WindowTitles.h"
#include "windows/AwardsPage.h"
#include "windows/BusyIndicator.h"
#include "windows/MyFontToRowHeight.h"
#include "windows/RowDictionaryModel.h"
#include "windows/SidePageFetch.h"
#include "windows/WindowFront.h"

#include <QHeaderView>
#include <QProgressBar>
#include <QTableView>

namespace {

struct AwardsColumn
{
    RowDictionaryModel::Column column;
    int width; // 0: the column takes the rest of the table's width
};

const AwardsColumn awardsColumns[] = {
    {{QStringLiteral("year"), QStringLiteral("Year")}, 56},
    {{QStringLiteral("award"), QStringLiteral("Award")}, 270},
    {{QStringLiteral("result"), QStringLiteral("Result")}, 90},
    {{QStringLiteral("category"), QStringLiteral("Category")}, 320},
    {{QStringLiteral("persons"), QStringLiteral("Persons")}, 0},
};

// The rows follow the table's font size through the registered transformer.
void applyRowHeight(QTableView *table)
{
    const auto transformer = platform::valueTransformerForName(MyFontToRowHeight::name.toString());
    if (!transformer)
        return;
    const QVariant height = transformer->transformedValue(table->font().pointSize());
    if (height.isNull())
        return;
    QHeaderView *rows = table->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(qRound(height.toDouble()));
}

} // namespace

MyAwards::MyAwards() : MyAwards(IMDB::resourcesDirectory()) {}

MyAwards::MyAwards(const QString &resourceDirectory) : m_resourceDirectory(resourceDirectory) {}

MyAwards::~MyAwards() = default;

bool MyAwards::loadWindow()
{
    m_mistakesWindow.reset(
        platform::loadNibNamed(QStringLiteral("Awards.nib"), m_resourceDirectory));
    if (!m_mistakesWindow)
        return false;
    m_busy = m_mistakesWindow->findChild<QProgressBar *>(QStringLiteral("busy"));
    m_table = m_mistakesWindow->findChild<QTableView *>(QStringLiteral("table"));
    QList<RowDictionaryModel::Column> columns;
    for (const AwardsColumn &c : awardsColumns)
        columns.append(c.column);
    m_awardsArrayController = new RowDictionaryModel(columns, m_mistakesWindow.get());
    if (m_table) {
        m_table->setModel(m_awardsArrayController);
        for (int i = 0; i < int(std::size(awardsColumns)); ++i) {
            if (awardsColumns[i].width > 0)
                m_table->setColumnWidth(i, awardsColumns[i].width);
        }
        applyRowHeight(m_table);
    }
    return true;
}

void MyAwards::showAwardsForSelection()
{
    if (m_mistakesWindow) {
        m_awardsArrayController->removeAllRows();
    } else {
        // Registered before the window loads, for the window to find.
        platform::setValueTransformer(std::make_shared<MyFontToRowHeight>(),
                                      MyFontToRowHeight::name.toString());
        if (!loadWindow())
            platform::systemLog(QStringLiteral("Awards.nib Failed"));
    }

    HostController *host = host::applicationDelegate();
    CatalogueEntry *entry = host ? host->selectedEntry() : nullptr;
    platform::setPlainWindowTitle(
        m_mistakesWindow.get(),
        platform::stringWithFormat(u"Movie awards for: %@",
                                   {host::entryText(entry, QStringLiteral("title")).string()}));
    bringToFront(m_mistakesWindow.get());
    if (!entry) {
        addMessageRow(QStringLiteral("Please Select a Movie"));
        return;
    }

    startAnimation(m_busy);
    Text number = host::entryText(entry, QStringLiteral("imdb"));
    if (!number.isNotEmpty())
        number = IMDB::getIMDBNumberForEntry(entry);
    const auto rows = number.isNull()
                          ? std::nullopt
                          : awardRowsFromPage(fetchSidePage(number.string(), u"awards"));
    if (!rows) {
        stopAnimation(m_busy);
        addMessageRow(QStringLiteral("No Awards"));
        return;
    }
    if (m_awardsArrayController) {
        for (const QVariantMap &row : *rows)
            m_awardsArrayController->addRow(row);
    }
    stopAnimation(m_busy);
    if (m_table)
        m_table->viewport()->update();
}

void MyAwards::addMessageRow(const QString &message)
{
    if (m_awardsArrayController)
        m_awardsArrayController->addRow({{QStringLiteral("award"), message}});
}

QString MyAwards::windowTitle() const
{
    return platform::plainWindowTitle(m_mistakesWindow.get());
}

QVariantList MyAwards::rows() const
{
    QVariantList rows;
    if (m_awardsArrayController) {
        for (const QVariantMap &row : m_awardsArrayController->rows())
            rows.append(row);
    }
    return rows;
}

QTableView *MyAwards::table() const
{
    return m_table;
}

QProgressBar *MyAwards::busy() const
{
    return m_busy;
}
