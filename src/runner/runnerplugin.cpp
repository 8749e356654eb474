// SPDX-License-Identifier: GPL-3.0-or-later
// The runner module's plug-in object: the one thing the program looks up in the module.
#include "runner/runnerentry.h"

#include <QObject>

class TRunnerPlugin : public QObject, public TRunnerEntry
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TRunnerModule_iid)
    Q_INTERFACES(TRunnerModule)
};

#include "runnerplugin.moc"
