// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/webappidentity.h"

#include <QCryptographicHash>
#include <QStandardPaths>

QString WebAppApplicationId(const QByteArray &id)
{
    const QByteArray digest = QCryptographicHash::hash(id, QCryptographicHash::Sha256);
    return QStringLiteral("lumivane-") + QString::fromLatin1(digest.toHex().left(12));
}

QString WebAppIconPath(const QByteArray &id)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/icons/") + WebAppApplicationId(id) + QStringLiteral(".png");
}
