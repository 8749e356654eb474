// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/webapp.h"

#include "document/lumivaneerror.h"
#include "document/profilefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <variant>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr QByteArrayView Section("Configuration");

constexpr std::array<TSizePreset, wsLastPreset - wsFirstPreset + 1> SizePresetTable{{
    {480, 800},   // Windows Phone 7
    {320, 480},   // iPhone
    {1024, 768},  // iPad
    {320, 240},   // QVGA
    {640, 480},   // VGA
    {800, 600},   // SVGA
    {1280, 720},  // HD 720
    {1920, 1080}, // HD
}};

// The thirteen keys of a document, in the order in which a new document lists them, with the
// record field each one fills and its default (a text's default is empty).
struct TKey
{
    const char *Name;
    std::variant<QByteArray TWebApp::*, qint32 TWebApp::*, bool TWebApp::*> Field;
    qint32 Default = 0;
};

const std::array<TKey, 13> Keys{{
    {"Id", &TWebApp::Id},
    {"URL", &TWebApp::URL},
    {"Mimic", &TWebApp::Mimic},
    {"WindowStyle", &TWebApp::WindowStyle},
    {"WindowSize", &TWebApp::WindowSize},
    {"WindowPosition", &TWebApp::WindowPosition},
    {"Width", &TWebApp::Width},
    {"Height", &TWebApp::Height},
    {"Flip", &TWebApp::Flip},
    {"StayOnTop", &TWebApp::StayOnTop},
    {"RememberLastPosition", &TWebApp::RememberLastPosition, true},
    {"RememberLastSize", &TWebApp::RememberLastSize, true},
    {"ShowControlPanel", &TWebApp::ShowControlPanel, true},
}};

template <class... Ts> struct TOverloaded : Ts...
{
    using Ts::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... Ts> TOverloaded(Ts...) -> TOverloaded<Ts...>;

[[noreturn]] void ThrowUnableToWrite(const QString &fileName)
{
    throw TLumivaneError(QCoreApplication::translate("TLumivaneError", "Unable to write to ") +
                         fileName);
}

// A read-only file is not replaced, even where the user could replace it (root, or a writable
// folder): its owner asked for it to stay as it is.
bool IsReadOnly(const QFileInfo &info)
{
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

// The new file takes the old one's owner and group, so that saving someone else's document (as
// root, or through the group's permissions) does not take it over. Where the system does not
// allow that, the save goes on: the content matters more.
void KeepOwner(const QString &fileName, const QSaveFile &output)
{
#ifdef Q_OS_UNIX
    struct stat old;
    if (::stat(QFile::encodeName(fileName).constData(), &old) != 0)
        return;
    if (old.st_uid != ::geteuid() && ::fchown(output.handle(), old.st_uid, old.st_gid) == 0)
        return;
    // Not allowed to give it away: keep at least the group, where the user belongs to it.
    if (old.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(output.handle(), uid_t(-1), old.st_gid);
    }
#else
    Q_UNUSED(fileName);
    Q_UNUSED(output);
#endif
}

} // namespace

const QStringList &WindowStyleTexts()
{
    static const QStringList texts{
        QStringLiteral("Normal"), QStringLiteral("Dialog"), QStringLiteral("Mini (Resizeable)"),
        QStringLiteral("Mini"),   QStringLiteral("None"),
    };
    return texts;
}

const QStringList &WindowSizeTexts()
{
    static const QStringList texts{
        QStringLiteral("Full Screen"),
        QStringLiteral("Custom"),
        QStringLiteral("Windows Phone 7"),
        QStringLiteral("iPhone"),
        QStringLiteral("iPad"),
        QStringLiteral("QVGA (320x240)"),
        QStringLiteral("VGA (640x480)"),
        QStringLiteral("SVGA (800x600)"),
        QStringLiteral("HD 720 (1280x720)"),
        QStringLiteral("HD (1920x1080)"),
    };
    return texts;
}

const QStringList &WindowPositionTexts()
{
    static const QStringList texts{
        QStringLiteral("Center"),       QStringLiteral("Top-Left"),
        QStringLiteral("Top-Center"),   QStringLiteral("Top-Right"),
        QStringLiteral("Center-Left"),  QStringLiteral("Center-Right"),
        QStringLiteral("Bottom-Left"),  QStringLiteral("Bottom-Center"),
        QStringLiteral("Bottom-Right"),
    };
    return texts;
}

const QStringList &MimicTexts()
{
    static const QStringList texts{
        QStringLiteral("Windows Phone 7"),
        QStringLiteral("iPhone"),
        QStringLiteral("iPad"),
        QStringLiteral("Internet Explorer 10"),
        QStringLiteral("Internet Explorer 9"),
        QStringLiteral("Internet Explorer 8"),
        QStringLiteral("Internet Explorer 7"),
        QStringLiteral("Internet Explorer 6"),
    };
    return texts;
}

int MimicIndex(const QByteArray &mimic)
{
    // Only ASCII letters change case: a byte of another encoding never matches.
    const QByteArray lower = mimic.toLower();
    const QStringList &texts = MimicTexts();
    for (int i = 0; i < texts.size(); ++i) {
        if (lower == texts.at(i).toLatin1().toLower())
            return i;
    }
    return -1;
}

bool IsSizePreset(qint32 windowSize)
{
    return windowSize >= wsFirstPreset && windowSize <= wsLastPreset;
}

TSizePreset SizePresets(qint32 windowSize)
{
    if (!IsSizePreset(windowSize))
        return {0, 0};
    return SizePresetTable[windowSize - wsFirstPreset];
}

TWebApp LoadWebApp(const QString &fileName)
{
    TProfileFile file;
    file.Load(fileName); // whatever cannot be read takes its default

    TWebApp webApp;
    for (const TKey &key : Keys) {
        std::visit(TOverloaded{
                       [&](QByteArray TWebApp::*text) {
                           webApp.*text = file.ReadString(Section, key.Name, {});
                       },
                       [&](qint32 TWebApp::*integer) {
                           webApp.*integer = file.ReadInteger(Section, key.Name, key.Default);
                       },
                       [&](bool TWebApp::*flag) {
                           webApp.*flag = file.ReadBool(Section, key.Name, key.Default != 0);
                       },
                   },
                   key.Field);
    }
    return webApp;
}

void SaveWebApp(const QString &fileName, const TWebApp &webApp)
{
    if (fileName.isEmpty())
        ThrowUnableToWrite(fileName);

    // The whole new text is built from the old one in memory, so that an old file that cannot
    // be read completely is never replaced by a shortened one.
    TProfileFile file;
    switch (file.Load(fileName)) {
    case TProfileFile::TLoadResult::Loaded:
        if (IsReadOnly(QFileInfo(fileName)))
            ThrowUnableToWrite(fileName);
        break;
    case TProfileFile::TLoadResult::Missing:
        break;
    case TProfileFile::TLoadResult::Truncated:
    case TProfileFile::TLoadResult::Failed:
        ThrowUnableToWrite(fileName);
    }

    for (const TKey &key : Keys) {
        std::visit(
            TOverloaded{
                [&](QByteArray TWebApp::*text) {
                    file.WriteString(Section, key.Name, webApp.*text);
                },
                [&](qint32 TWebApp::*integer) {
                    file.WriteInteger(Section, key.Name, webApp.*integer);
                },
                [&](bool TWebApp::*flag) { file.WriteBool(Section, key.Name, webApp.*flag); },
            },
            key.Field);
    }

    // A temporary file in the same folder, flushed to disk and renamed over the old one: the
    // document is either wholly old or wholly new. QSaveFile follows a symbolic link to its
    // target (the link stays) and gives the new file the old one's permissions. It is opened
    // unbuffered so that a failed write (a full disk, a file size limit) is seen here: Qt 6.4's
    // QSaveFile::commit() misses a failure of its final buffer flush and would rename an empty
    // or shortened file over the document.
    QSaveFile output(fileName);
    const QByteArray text = file.Text();
    if (!output.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        ThrowUnableToWrite(fileName);
    KeepOwner(fileName, output);
    if (output.write(text) != text.size() || !output.commit())
        ThrowUnableToWrite(fileName);
}
