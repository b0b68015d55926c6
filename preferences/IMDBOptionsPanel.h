#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

#include <QCheckBox>
#include <QDialog>

// The options panel: one column of check boxes, row i standing for key i of keysForPrefs.
// Shown as a sheet on the host's main window; confirming stores the boxes.
class IMDBOptionsPanel : public QObject
{
    Q_OBJECT
public:
    // Loads the panel from "IMDBPreferences.nib" in `resourceDirectory`; null when the
    // resource cannot be loaded.
    static std::unique_ptr<IMDBOptionsPanel> load(const QString &resourceDirectory);
    ~IMDBOptionsPanel() override;

    static QStringList keysForPrefs();

    // Fills the boxes from the user defaults and shows the panel; returns when the panel has
    // been confirmed (or dismissed) and taken down.
    void showPreferences();

    QDialog *panel() const { return m_panel; }
    // The cell at `row` of the check-box column, or null.
    QCheckBox *cellAt(int row) const;

public Q_SLOTS:
    // Stores YES for each checked box and removes the key of each unchecked one, derives
    // "IMDBCredits", and ends the panel's modal loop.
    void setPreferences();

private:
    explicit IMDBOptionsPanel(QDialog *panel);

    QPointer<QDialog> m_panel;
    QList<QPointer<QCheckBox>> m_preferenceMatrix;
};
