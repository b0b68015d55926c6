#pragma once

#include <QDialog>

class QLineEdit;

// Asks before a look-up: shows what will be searched for and takes an optional keyword,
// which the plug-in then searches for instead of the entry's title.
class LookUpDialog : public QDialog
{
    Q_OBJECT
public:
    LookUpDialog(const QString &title, int year, QWidget *parent = nullptr);

    QString keyword() const;
    QLineEdit *keywordEdit() const { return m_keyword; }

private:
    QLineEdit *m_keyword;
};
