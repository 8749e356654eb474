// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/desktopopener.h"

#include "shared/application.h"
#include "shared/messagebox.h"
#include "shared/shellhelpers.h"

#include <QCoreApplication>
#include <cctype>

namespace {
bool IsWellFormed(const QUrl &url)
{
    // The opener gets the address as one argument in its encoded form: it must start with its
    // scheme (never with "-", which a program would take as an option) and hold no blank or
    // quote that could split it.
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    const QByteArray encoded = url.toEncoded();
    if (encoded.isEmpty() || !std::isalpha(static_cast<unsigned char>(encoded.front())))
        return false;
    for (const char c : encoded) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '\x7f')
            return false;
    }
    return true;
}
} // namespace

bool IsEngineScheme(const QUrl &url)
{
    static const QStringList schemes = {
        QStringLiteral("http"),       QStringLiteral("https"),        QStringLiteral("file"),
        QStringLiteral("data"),       QStringLiteral("blob"),         QStringLiteral("about"),
        QStringLiteral("javascript"), QStringLiteral("view-source"),  QStringLiteral("filesystem"),
        QStringLiteral("ws"),         QStringLiteral("wss"),          QStringLiteral("qrc"),
        QStringLiteral("chrome"),     QStringLiteral("chrome-error"), QStringLiteral("devtools")};
    return schemes.contains(url.scheme().toLower());
}

TDesktopRule DesktopRuleFor(const QUrl &url)
{
    if (!IsWellFormed(url))
        return TDesktopRule::Never;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https")
        return url.host().isEmpty() ? TDesktopRule::Never : TDesktopRule::Open;
    if (scheme == u"mailto")
        return TDesktopRule::Open;
    return IsEngineScheme(url) ? TDesktopRule::Never : TDesktopRule::Ask;
}

bool OpenOnDesktop(QWidget *parent, const QUrl &url)
{
    switch (DesktopRuleFor(url)) {
    case TDesktopRule::Never:
        return false;
    case TDesktopRule::Ask: {
        const QString text = QCoreApplication::translate(
                                 "OpenOnDesktop", "Open this link with another application?") +
                             QStringLiteral("\n\n") + QString::fromLatin1(url.toEncoded());
        const auto answer = TMessageBox::question(
            parent, ApplicationTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
            {{QMessageBox::Yes, QCoreApplication::translate("OpenOnDesktop", "&Open link")},
             {QMessageBox::No, QCoreApplication::translate("OpenOnDesktop", "&Deny")}});
        if (answer != QMessageBox::Yes)
            return false;
        break;
    }
    case TDesktopRule::Open:
        break;
    }
    ShellOpen(url);
    return true;
}
