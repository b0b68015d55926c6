#pragma once

#include <QDialog>
#include <QStringList>

class QListView;
class QStringListModel;

// Lets the user pick one of a search's results: the plug-in's display titles, in its order.
class ResultsChooser : public QDialog
{
    Q_OBJECT
public:
    ResultsChooser(const QString &searchedFor, const QStringList &titles,
                   QWidget *parent = nullptr);

    // The index of the chosen result, or -1.
    int chosenIndex() const;
    void choose(int index);

    QListView *list() const { return m_list; }

private:
    QStringListModel *m_model;
    QListView *m_list;
};
