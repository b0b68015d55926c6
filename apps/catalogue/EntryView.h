#pragma once

#include <QVariantMap>
#include <QWidget>

class CoverCache;
class CreditsModel;
class CustomFieldsModel;
class QFormLayout;
class QLabel;
class QTableView;

// Shows one entry: its cover, title and fields, the values of the user-defined fields and
// the credits list. Each value label is named "field:KEY" after its record key.
class EntryView : public QWidget
{
    Q_OBJECT
public:
    EntryView(CoverCache &covers, const CustomFieldsModel &customFields, QWidget *parent = nullptr);

    // Shows `values`; an empty map shows nothing selected.
    void setEntry(const QVariantMap &values);
    QVariantMap entry() const { return m_values; }

    QLabel *coverLabel() const { return m_cover; }
    QTableView *creditsView() const { return m_creditsView; }
    // The text shown for a record key, or nothing when the view shows no such field.
    std::optional<QString> shownValue(const QString &key) const;

private:
    void rebuild();
    void showCover();
    void addRow(const QString &label, const QString &key, const QString &text);

    CoverCache &m_covers;
    const CustomFieldsModel &m_customFields;
    QVariantMap m_values;
    QLabel *m_cover;
    QLabel *m_heading;
    QLabel *m_subheading;
    QFormLayout *m_fields;
    QLabel *m_creditsHeading;
    CreditsModel *m_credits;
    QTableView *m_creditsView;
};
