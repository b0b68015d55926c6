#include "apps/catalogue/FieldsDialog.h"

#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/CustomFieldsModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace {

// Titles the movie plug-in fills when the catalogue has a field of that title; offered as
// suggestions, any other title may be typed.
const char *const suggestedTitles[] = {
    QT_TRANSLATE_NOOP("FieldsDialog", "IMDb Votes"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Metascore"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Metacritic"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Color"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Composer"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Cinematographer"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Editor"),
    QT_TRANSLATE_NOOP("FieldsDialog", "Costume Designer"),
};

} // namespace

FieldsDialog::FieldsDialog(CatalogueStore &store, CustomFieldsModel &fields, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_list(new QListView)
    , m_title(new QComboBox)
    , m_add(new QPushButton(tr("&Add")))
    , m_remove(new QPushButton(tr("&Remove")))
    , m_message(new QLabel)
{
    setWindowTitle(tr("Fields"));
    m_list->setModel(&fields);
    m_list->setObjectName(QStringLiteral("fields"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMinimumSize(280, 200);

    m_title->setObjectName(QStringLiteral("fieldTitle"));
    m_title->setEditable(true);
    m_title->setInsertPolicy(QComboBox::NoInsert);
    for (const char *title : suggestedTitles)
        m_title->addItem(tr(title));
    m_title->setCurrentIndex(-1);
    m_title->lineEdit()->setPlaceholderText(tr("New field's title"));
    m_message->setWordWrap(true);
    m_message->setForegroundRole(QPalette::PlaceholderText);
    m_message->setText(
        tr("A lookup fills the fields whose titles the plug-in knows, such as IMDb Votes."));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 2);
    layout->addWidget(m_remove, 1, 1);
    layout->addWidget(m_title, 2, 0);
    layout->addWidget(m_add, 2, 1);
    layout->addWidget(m_message, 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(m_add, &QPushButton::clicked, this, &FieldsDialog::addField);
    connect(m_title->lineEdit(), &QLineEdit::returnPressed, this, &FieldsDialog::addField);
    connect(m_remove, &QPushButton::clicked, this, &FieldsDialog::removeSelectedField);
    connect(m_title, &QComboBox::editTextChanged, this, &FieldsDialog::updateButtons);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FieldsDialog::updateButtons);
    connect(&fields, &QAbstractItemModel::modelReset, this, &FieldsDialog::updateButtons);
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    updateButtons();
}

void FieldsDialog::updateButtons()
{
    m_add->setEnabled(!m_title->currentText().trimmed().isEmpty());
    m_remove->setEnabled(m_list->currentIndex().isValid());
}

bool FieldsDialog::addField()
{
    const QString title = m_title->currentText().trimmed();
    if (title.isEmpty())
        return false;
    if (!m_store.addCustomField(title)) {
        m_message->setText(m_store.lastError());
        return false;
    }
    m_message->setText(tr("Added “%1”.").arg(title));
    m_title->setCurrentIndex(-1);
    m_title->setEditText({});
    return true;
}

void FieldsDialog::removeSelectedField()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return;
    const QString title = current.data().toString();
    if (m_store.removeCustomField(current.data(CustomFieldsModel::FieldIdRole).toLongLong()))
        m_message->setText(tr("Removed “%1” and its values.").arg(title));
    else
        m_message->setText(m_store.lastError());
}
