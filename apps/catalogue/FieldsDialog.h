#pragma once

#include <QDialog>

class CatalogueStore;
class CustomFieldsModel;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;

// Adds and removes the catalogue's user-defined fields. Each change is stored at once.
class FieldsDialog : public QDialog
{
    Q_OBJECT
public:
    FieldsDialog(CatalogueStore &store, CustomFieldsModel &fields, QWidget *parent = nullptr);

    // Adds a field titled as the title box says; false (with the reason shown) when the
    // store refuses it.
    bool addField();
    void removeSelectedField();

    QComboBox *titleBox() const { return m_title; }
    QListView *list() const { return m_list; }

private:
    void updateButtons();

    CatalogueStore &m_store;
    QListView *m_list;
    QComboBox *m_title;
    QPushButton *m_add;
    QPushButton *m_remove;
    QLabel *m_message;
};
