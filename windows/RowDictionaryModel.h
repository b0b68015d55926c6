#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QVariantMap>

// A table model over a list of row dictionaries: each column shows the value of one key.
// Rows are added and removed only as a whole list's content, as an array controller does.
class RowDictionaryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString key;
        QString title;
    };

    explicit RowDictionaryModel(QList<Column> columns, QObject *parent = nullptr);

    void addRow(const QVariantMap &row);
    void removeAllRows();
    // The rows as added, their texts unchanged.
    const QList<QVariantMap> &rows() const { return m_rows; }
    const QList<Column> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // Qt::DisplayRole gives each cell on one line (line breaks shown as spaces), as a table
    // row has room for one; Qt::EditRole gives the text as it is.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // A table cell's text in a role: on one line for display, as it is for editing.
    static QVariant cellData(const QString &text, int role);

private:
    QList<Column> m_columns;
    QList<QVariantMap> m_rows;
};
