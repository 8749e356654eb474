// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/producticon.h"

QList<QImage> ProductIconImages()
{
    // The title bar, task bar and switcher sizes, and twice as dense screens. Larger ones come
    // from the installed icon theme; decoding them here and handing them to the window system
    // cost every start several milliseconds.
    QList<QImage> images;
    for (const int size : {96, 48, 32})
        images.append(QImage(QStringLiteral(":/lumivane/lumivane-%1.png").arg(size)));
    return images;
}

QIcon ProductIcon(const QList<QImage> &images)
{
    QIcon icon;
    for (const QImage &image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}
