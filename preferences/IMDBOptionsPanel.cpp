#include "preferences/IMDBOptionsPanel.h"

#include "host/HostController.h"
#include "platform/NibLoading.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>

using namespace platform;

std::unique_ptr<IMDBOptionsPanel> IMDBOptionsPanel::load(const QString &resourceDirectory)
{
    QWidget *root = loadNibNamed(QStringLiteral("IMDBPreferences.nib"), resourceDirectory);
    auto *panel = qobject_cast<QDialog *>(root);
    if (!panel) {
        delete root;
        return nullptr;
    }
    return std::unique_ptr<IMDBOptionsPanel>(new IMDBOptionsPanel(panel));
}

IMDBOptionsPanel::IMDBOptionsPanel(QDialog *panel) : m_panel(panel)
{
    const QStringList keys = keysForPrefs();
    for (int row = 0; row < keys.size(); ++row)
        m_preferenceMatrix.append(panel->findChild<QCheckBox *>(u"cell" + QString::number(row)));
    if (auto *confirm = panel->findChild<QAbstractButton *>(QStringLiteral("setPreferences")))
        connect(confirm, &QAbstractButton::clicked, this, &IMDBOptionsPanel::setPreferences);
}

IMDBOptionsPanel::~IMDBOptionsPanel()
{
    delete m_panel.data();
}

QStringList IMDBOptionsPanel::keysForPrefs()
{
    return prefs::panelKeys();
}

QCheckBox *IMDBOptionsPanel::cellAt(int row) const
{
    return row >= 0 && row < m_preferenceMatrix.size() ? m_preferenceMatrix.at(row).data()
                                                       : nullptr;
}

void IMDBOptionsPanel::showPreferences()
{
    if (!m_panel)
        return;
    const QStringList keys = keysForPrefs();
    for (int row = 0; row < keys.size(); ++row) {
        if (QCheckBox *cell = cellAt(row))
            cell->setChecked(UserDefaults::boolForKey(keys.at(row)));
    }
    // A sheet: modal to the main window only, attached to it.
    m_panel->setParent(host::mainWindow(), Qt::Sheet);
    m_panel->setWindowModality(Qt::WindowModal);
    m_panel->exec();
    m_panel->hide();
}

void IMDBOptionsPanel::setPreferences()
{
    const QStringList keys = keysForPrefs();
    bool anyCredit = false;
    for (int row = 0; row < keys.size(); ++row) {
        QCheckBox *cell = cellAt(row);
        if (cell && cell->isChecked()) {
            UserDefaults::setBool(keys.at(row), true);
            // Every row but the last (the keywords page) asks for the full-credits page.
            if (row != keys.size() - 1)
                anyCredit = true;
        } else {
            UserDefaults::removeObject(keys.at(row));
        }
    }
    if (anyCredit)
        UserDefaults::setBool(prefs::credits, true);
    else
        UserDefaults::removeObject(prefs::credits);
    if (m_panel)
        m_panel->accept();
}
