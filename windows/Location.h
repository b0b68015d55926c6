#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

#include <memory>

class QLabel;
class QProgressBar;
class QTableView;
class QWidget;

// The locations window: where the selected movie was filmed, as a table of location and
// scene read from the movie's locations page. The controller is the table's model, over two
// index-aligned lists.
class Location : public QAbstractTableModel
{
    Q_OBJECT
    // What the window shows, for hosts that print it.
    Q_PROPERTY(QString title READ windowTitle)
    Q_PROPERTY(QStringList locationArray READ locationArray)
    Q_PROPERTY(QStringList sceneArray READ sceneArray)

public:
    // The identifier of the location column; any other column shows the scenes.
    static constexpr QStringView locationColumn = u"location";

    // The window comes from "Location.nib" in the plug-in's Resources folder, or in
    // `resourceDirectory`.
    Location();
    explicit Location(const QString &resourceDirectory);
    ~Location() override;

    // Shows the window for the host's selected movie, fetching its locations page.
    void showLocationForSelection();

    // The table's data source: the row count and the text of a column (by identifier) in a
    // row, as the lists hold it.
    int numberOfRowsInTableView() const;
    QString objectValueForTableColumn(QStringView identifier, int row) const;

    // QAbstractTableModel: the columns "location" and "scene". Qt::DisplayRole gives each
    // cell on one line (line breaks shown as spaces), Qt::EditRole the text as it is.
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The identifier of each column, in order.
    static QStringList columnIdentifiers();

    QWidget *window() const { return m_mistakesWindow.get(); }
    QTableView *table() const;
    QProgressBar *busy() const;
    QString windowTitle() const;
    QStringList locationArray() const { return m_locationArray; }
    QStringList sceneArray() const { return m_sceneArray; }

private:
    bool loadWindow();
    void addRow(const QString &location, const QString &scene);
    void reloadData();

    QString m_resourceDirectory;
    std::unique_ptr<QWidget> m_mistakesWindow;
    QPointer<QLabel> m_titleText;
    QPointer<QProgressBar> m_busy;
    QPointer<QTableView> m_table;
    QStringList m_locationArray;
    QStringList m_sceneArray;
};
