#include "apps/catalogue/ResultsChooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

ResultsChooser::ResultsChooser(const QString &searchedFor, const QStringList &titles,
                               const QStringList &numbers, QWidget *parent)
    : QDialog(parent), m_model(new QStandardItemModel(0, 2, this)), m_view(new QTreeView)
{
    setWindowTitle(tr("Choose a Title"));
    auto *heading =
        new QLabel(titles.size() == 1 ? tr("One result for “%1”. Look it up?").arg(searchedFor)
                                      : tr("%1 results for “%2”. Choose the movie to look up:")
                                            .arg(titles.size())
                                            .arg(searchedFor));
    heading->setWordWrap(true);

    m_model->setHorizontalHeaderLabels({tr("Title"), tr("IMDb number")});
    for (qsizetype row = 0; row < titles.size(); ++row) {
        auto *title = new QStandardItem(titles.at(row));
        auto *number = new QStandardItem(numbers.value(row));
        title->setEditable(false);
        number->setEditable(false);
        number->setForeground(palette().brush(QPalette::PlaceholderText));
        m_model->appendRow({title, number});
    }
    m_view->setModel(m_model);
    m_view->setObjectName(QStringLiteral("results"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_view->setMinimumSize(480, 220);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton *lookUp = buttons->button(QDialogButtonBox::Ok);
    lookUp->setText(tr("Look Up"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_view, &QTreeView::activated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);

    const auto updateButton = [this, lookUp] { lookUp->setEnabled(chosenIndex() >= 0); };
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, updateButton);
    if (!titles.isEmpty())
        choose(0);
    updateButton();
}

int ResultsChooser::chosenIndex() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ResultsChooser::choose(int index)
{
    m_view->setCurrentIndex(m_model->index(index, 0));
}
