// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/launcherwriter.h"

#include "document/lumivaneerror.h"
#include "shared/shellhelpers.h"
#include "shared/webappidentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
QString FileNameIn(const QString &folder, const QByteArray &id)
{
    return QDir(folder).filePath(WebAppApplicationId(id) + QStringLiteral(".desktop"));
}

void WriteFile(const QString &fileName, const QByteArray &contents, bool executable)
{
    const auto fail = [&] {
        throw TLumivaneError(
            QCoreApplication::translate("TLumivaneError", "Unable to write to %1").arg(fileName));
    };
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        fail();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        fail();
    // Desktops only start launchers on the desktop that are marked executable.
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!file.setPermissions(permissions) || !file.commit())
        fail();
}
} // namespace

QString QuoteExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);

    QString result;
    if (needsQuotes) {
        result += u'"';
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                result += u'\\';
            result += c;
        }
        result += u'"';
    } else {
        result = argument;
    }
    // Field codes start with a percent sign, so a literal one is doubled, quoted or not.
    return result.replace(u'%', QStringLiteral("%%"));
}

QString EscapeDesktopValue(const QString &value)
{
    QString result;
    for (const QChar c : value) {
        if (c == u'\\')
            result += QStringLiteral("\\\\");
        else if (c == u'\n')
            result += QStringLiteral("\\n");
        else if (c == u'\t')
            result += QStringLiteral("\\t");
        else if (c == u'\r')
            result += QStringLiteral("\\r");
        else
            result += c;
    }
    if (result.startsWith(u' '))
        result.replace(0, 1, QStringLiteral("\\s"));
    return result;
}

TLauncherWriter::TLauncherWriter()
    : FProgram(QCoreApplication::applicationFilePath())
    , FApplicationsFolder(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
    , FDesktopFolder(GetDesktopFolder())
{
}

QString TLauncherWriter::DesktopEntry(const QString &documentPath, const QByteArray &id) const
{
    const QFileInfo document(documentPath);
    QString name = document.completeBaseName();
    if (name.isEmpty())
        name = document.fileName();
    // The runner saves the site's icon once it has seen one; until then the program's own.
    const QString iconPath = WebAppIconPath(id);
    const QString icon = QFileInfo(iconPath).isFile() ? iconPath : QStringLiteral("lumivane");
    const QString exec = QuoteExecArgument(FProgram) + QStringLiteral(" /l ") +
                         QuoteExecArgument(document.absoluteFilePath());

    QString entry;
    entry += QStringLiteral("[Desktop Entry]\n");
    entry += QStringLiteral("Type=Application\n");
    entry += QStringLiteral("Name=") + EscapeDesktopValue(name) + u'\n';
    entry += QStringLiteral("Comment=Lumivane web app\n");
    entry += QStringLiteral("Exec=") + EscapeDesktopValue(exec) + u'\n';
    entry += QStringLiteral("Icon=") + EscapeDesktopValue(icon) + u'\n';
    entry += QStringLiteral("Terminal=false\n");
    entry += QStringLiteral("Categories=Network;\n");
    // The runner's windows carry this class, so the taskbar files them under this launcher.
    entry += QStringLiteral("StartupWMClass=") + WebAppApplicationId(id) + u'\n';
    return entry;
}

QStringList TLauncherWriter::Write(const QString &documentPath, const QByteArray &id,
                                   bool onDesktop) const
{
    const QByteArray contents = DesktopEntry(documentPath, id).toUtf8();
    QStringList written;
    written << FileNameIn(FApplicationsFolder, id);
    WriteFile(written.back(), contents, false);
    if (onDesktop) {
        written << FileNameIn(FDesktopFolder, id);
        WriteFile(written.back(), contents, true);
    }
    return written;
}
