// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <functional>

// The program's per-user settings store: the placement, zoom and permission answers of every
// web app (the registry on Windows, a file elsewhere).

// The store, for reading.
QSettings OpenSettingsStore();

// Makes change to the store and saves it. A store file is replaced whole or not at all: when it
// cannot be written in full (a full disk, say) it stays as it was and only this change is lost.
// Returns whether the change was saved.
bool ChangeSettingsStore(const std::function<void(QSettings &)> &change);
