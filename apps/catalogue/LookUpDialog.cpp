#include "apps/catalogue/LookUpDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LookUpDialog::LookUpDialog(const QString &title, int year, QWidget *parent)
    : QDialog(parent), m_keyword(new QLineEdit)
{
    setWindowTitle(tr("Look Up"));
    auto *what = new QLabel(year > 0 ? tr("Look up “%1” (%2) on IMDb.").arg(title).arg(year)
                                     : tr("Look up “%1” on IMDb.").arg(title));
    what->setWordWrap(true);
    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_keyword->setPlaceholderText(tr("optional: search for this instead of the title"));
    m_keyword->setMinimumWidth(320);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Search"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(what);
    form->addRow(tr("&Keyword:"), m_keyword);
    form->addRow(buttons);
}

QString LookUpDialog::keyword() const
{
    return m_keyword->text().trimmed();
}
