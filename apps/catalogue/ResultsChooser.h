#pragma once

#include <QDialog>
#include <QStringList>

class QStandardItemModel;
class QTreeView;

// Lets the user pick one of a search's results: the plug-in's display titles, in its order,
// each with its title number, which tells apart two films of the same name.
class ResultsChooser : public QDialog
{
    Q_OBJECT
public:
    ResultsChooser(const QString &searchedFor, const QStringList &titles,
                   const QStringList &numbers, QWidget *parent = nullptr);

    // The index of the chosen result, or -1.
    int chosenIndex() const;
    void choose(int index);

    // One row per result: the title, then the number.
    QTreeView *view() const { return m_view; }

private:
    QStandardItemModel *m_model;
    QTreeView *m_view;
};
