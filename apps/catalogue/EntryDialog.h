#pragma once

#include <QDialog>
#include <QVariantMap>

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

// Adds an entry by hand or edits one: its title, year and title number.
class EntryDialog : public QDialog
{
    Q_OBJECT
public:
    // Starts from `values` (an entry's values; empty for a new entry).
    explicit EntryDialog(const QVariantMap &values, QWidget *parent = nullptr);

    // The values to store: "title", and "theatrical" and "imdb" (null when cleared). A
    // theatrical date whose year was left as it was is not among them, so a full release
    // date survives an edit of the title.
    QVariantMap changes() const;

    QLineEdit *titleEdit() const { return m_title; }
    QSpinBox *yearBox() const { return m_year; }
    QLineEdit *numberEdit() const { return m_number; }

private:
    void updateButtons();

    QVariantMap m_original;
    QLineEdit *m_title;
    QSpinBox *m_year;
    QLineEdit *m_number;
    QDialogButtonBox *m_buttons;
};
