#include "apps/catalogue/EntryDialog.h"

#include "apps/catalogue/EntryValues.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace {
constexpr int firstYear = 1870; // the spin box's "none" sits just below it
}

EntryDialog::EntryDialog(const QVariantMap &values, QWidget *parent)
    : QDialog(parent)
    , m_original(values)
    , m_title(new QLineEdit(values.value(entrykey::title).toString()))
    , m_year(new QSpinBox)
    , m_number(new QLineEdit(values.value(entrykey::imdb).toString()))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel))
{
    setWindowTitle(values.isEmpty() ? tr("New Entry") : tr("Edit Entry"));
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setMinimumWidth(320);
    m_year->setObjectName(QStringLiteral("year"));
    m_year->setRange(firstYear - 1, QDate::currentDate().year() + 10);
    m_year->setSpecialValueText(tr("none"));
    const int year = entryvalues::year(values);
    m_year->setValue(year > 0 ? year : m_year->minimum());
    m_number->setObjectName(QStringLiteral("imdb"));
    m_number->setPlaceholderText(tr("e.g. 0017136 or tt0017136"));
    m_number->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(tt)?[0-9]{0,8}")), m_number));

    auto *form = new QFormLayout(this);
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Year:"), m_year);
    form->addRow(tr("IMDb &number:"), m_number);
    form->addRow(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_title, &QLineEdit::textChanged, this, &EntryDialog::updateButtons);
    updateButtons();
}

void EntryDialog::updateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_title->text().trimmed().isEmpty());
}

QVariantMap EntryDialog::changes() const
{
    QVariantMap changes{{entrykey::title, m_title->text().trimmed()}};
    const int year = m_year->value() == m_year->minimum() ? 0 : m_year->value();
    if (year != entryvalues::year(m_original))
        changes.insert(entrykey::theatrical, year > 0 ? QVariant(QDate(year, 1, 1)) : QVariant());
    QString number = m_number->text().trimmed();
    if (number.startsWith(u"tt"))
        number = number.mid(2);
    changes.insert(entrykey::imdb, number.isEmpty() ? QVariant() : QVariant(number));
    return changes;
}
