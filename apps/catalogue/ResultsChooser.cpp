#include "apps/catalogue/ResultsChooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

ResultsChooser::ResultsChooser(const QString &searchedFor, const QStringList &titles,
                               QWidget *parent)
    : QDialog(parent), m_model(new QStringListModel(titles, this)), m_list(new QListView)
{
    setWindowTitle(tr("Choose a Title"));
    auto *heading = new QLabel(
        tr("%n result(s) for “%1”. Choose the movie to look up:", nullptr, int(titles.size()))
            .arg(searchedFor));
    heading->setWordWrap(true);

    m_list->setModel(m_model);
    m_list->setObjectName(QStringLiteral("results"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(460, 220);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton *lookUp = buttons->button(QDialogButtonBox::Ok);
    lookUp->setText(tr("Look Up"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListView::activated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);

    const auto updateButton = [this, lookUp] { lookUp->setEnabled(chosenIndex() >= 0); };
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, updateButton);
    if (!titles.isEmpty())
        choose(0);
    updateButton();
}

int ResultsChooser::chosenIndex() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ResultsChooser::choose(int index)
{
    m_list->setCurrentIndex(m_model->index(index));
}
