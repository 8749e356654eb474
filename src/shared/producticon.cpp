#include "producticon.h"

// The icon lives in this static library's resources, which the linker keeps only when they are
// initialised by name; that has to happen outside any namespace.
static void InitProductIconResource()
{
    Q_INIT_RESOURCE(lumivane);
}

QIcon ProductIcon()
{
    static const bool initialised = (InitProductIconResource(), true);
    Q_UNUSED(initialised);
    QIcon icon;
    for (const int size : {256, 128, 96, 48, 32})
        icon.addFile(QStringLiteral(":/lumivane/lumivane-%1.png").arg(size), QSize(size, size));
    return icon;
}
