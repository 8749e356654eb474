// The runner module's plug-in object: the one thing the program looks up in the module.
#include "runnerentry.h"

#include <QObject>

class TRunnerPlugin : public QObject, public TRunnerEntry
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TRunnerModule_iid)
    Q_INTERFACES(TRunnerModule)
};

#include "runnerplugin.moc"
