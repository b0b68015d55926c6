#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantList>

#include <memory>

class QProgressBar;
class QTableView;
class QWidget;
class RowDictionaryModel;

// The awards window: the selected movie's awards and nominations, one table row per category,
// read from the movie's awards page.
class MyAwards : public QObject
{
    Q_OBJECT
    // What the window shows, for hosts that print it.
    Q_PROPERTY(QString title READ windowTitle)
    Q_PROPERTY(QVariantList rows READ rows)

public:
    // The window comes from "Awards.nib" in the plug-in's Resources folder, or in
    // `resourceDirectory`.
    MyAwards();
    explicit MyAwards(const QString &resourceDirectory);
    ~MyAwards() override;

    // Shows the window for the host's selected movie, fetching its awards page.
    void showAwardsForSelection();

    QWidget *window() const { return m_mistakesWindow.get(); }
    QTableView *table() const;
    QProgressBar *busy() const;
    QString windowTitle() const;
    // The table's rows, each a map of texts under "year", "award", "result", "category" and
    // "persons"; empty without a window.
    QVariantList rows() const;

private:
    bool loadWindow();
    void addMessageRow(const QString &message);

    QString m_resourceDirectory;
    std::unique_ptr<QWidget> m_mistakesWindow;
    QPointer<QProgressBar> m_busy;
    QPointer<QTableView> m_table;
    QPointer<RowDictionaryModel> m_awardsArrayController;
};
