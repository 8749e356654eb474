// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/siterule.h"

#include <QHostAddress>
#include <libpsl.h>

namespace {
// The newer of the list built into the library and the one the system keeps up to date.
const psl_ctx_t *SuffixList()
{
    static const psl_ctx_t *const list = [] {
        const psl_ctx_t *latest = psl_latest(nullptr);
        return latest ? latest : psl_builtin();
    }();
    return list;
}
} // namespace

QString SiteOf(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"file")
        return QStringLiteral("file:");
    if (scheme != u"http" && scheme != u"https")
        return {};
    // The ASCII (punycode) form, as the list is matched against it.
    QString host = url.host(QUrl::FullyEncoded).toLower();
    while (host.endsWith(u'.'))
        host.chop(1);
    if (host.isEmpty())
        return {};
    if (!QHostAddress(host).isNull() || !host.contains(u'.'))
        return host;
    const QByteArray ascii = host.toLatin1();
    const char *registrable = psl_registrable_domain(SuffixList(), ascii.constData());
    return registrable ? QString::fromLatin1(registrable) : host;
}

bool IsSameSite(const QUrl &a, const QUrl &b)
{
    const QString site = SiteOf(a);
    return !site.isEmpty() && site == SiteOf(b);
}
