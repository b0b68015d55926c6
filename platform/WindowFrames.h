#pragma once

#include <QString>

class QWidget;

namespace platform {

// Window frames kept in the user defaults under a name, so that a window comes back where
// the user left it.

// From now on every move and resize of `window` (and its hiding) stores its frame under
// `name`; an empty name stops the saving. Setting a name stores nothing by itself.
void setFrameAutosaveName(QWidget *window, const QString &name);
QString frameAutosaveName(const QWidget *window);

// Gives `window` the frame stored under `name`; false (and the window unchanged) when there
// is none.
bool setFrameUsingName(QWidget *window, const QString &name);

// The user-defaults key a frame named `name` is stored under.
QString frameDefaultsKey(const QString &name);

} // namespace platform
