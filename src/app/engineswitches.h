// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QMap>
#include <QString>

// How the program renders and how the web engine runs its processes, decided before the
// application object and the web engine exist.
//
// Without a GPU device, OpenGL can only be a software renderer. The web engine turns its GPU
// features off on one anyway (no WebGL, no GPU rasterisation), yet loading and starting that
// renderer costs about 0.5 s and over 100 MB of memory in every process that touches OpenGL,
// and the web engine makes every window of the program touch it. There, the program asks Qt and
// the engine for their software paths instead, which draw the same pixels. Machines with a GPU
// keep OpenGL; nothing here touches the engine's sandbox.
//
// On every machine the engine goes without the zygote it keeps ready for helper processes that
// run outside the sandbox: with the sandbox on that is one process and about 9 MB fewer for each
// web app. Such a helper, if one is needed, is started directly instead; sandboxed processes
// keep their own zygote.

#ifndef Q_OS_WIN
// True when the machine has a device a GPU driver renders through: DRM nodes under
// `deviceRoot`/dri or NVIDIA's device files. Windows has no such files.
bool HasGpuDevice(const QString &deviceRoot = QStringLiteral("/dev"));
#endif

// `flags` (a QTWEBENGINE_CHROMIUM_FLAGS value) with each of `switches` appended unless `flags`
// names that switch already, in any form: the user's own setting wins.
QByteArray MergeChromiumFlags(const QByteArray &flags, const QByteArrayList &switches);

// The environment variables to set, from the current values of the variables concerned (absent
// when unset). A variable or engine switch the user set keeps the user's value.
QMap<QByteArray, QByteArray> EngineEnvironment(bool gpuDevice,
                                               const QMap<QByteArray, QByteArray> &current);

// Sets EngineEnvironment for this machine. Call before the application object exists.
void ApplyEngineEnvironment();
