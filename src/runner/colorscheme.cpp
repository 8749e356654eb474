#include "colorscheme.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>

namespace {
const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Settings = QStringLiteral("org.freedesktop.portal.Settings");
const QString Appearance = QStringLiteral("org.freedesktop.appearance");
const QString ColorSchemeKey = QStringLiteral("color-scheme");
// A portal that does not answer in this time is taken as absent; the window is waiting.
constexpr int PortalTimeoutMs = 500;

// The portal wraps values in variants, older ones twice.
int AppearanceValue(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        QDBusVariant inner;
        value.value<QDBusArgument>() >> inner;
        value = inner.variant();
    }
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok && scheme <= 2 ? int(scheme) : -1;
}

int ReadAppearance(const QDBusConnection &connection)
{
    // Asked only of a running portal: starting one would hold up the window.
    if (!connection.isConnected() || !connection.interface() ||
        !connection.interface()->isServiceRegistered(Portal).value())
        return -1;
    for (const QString &method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
        QDBusMessage call = QDBusMessage::createMethodCall(Portal, PortalPath, Settings, method);
        call << Appearance << ColorSchemeKey;
        const QDBusMessage reply = connection.call(call, QDBus::Block, PortalTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            return AppearanceValue(reply.arguments().constFirst());
        // Portals before ReadOne know only Read.
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
            return -1;
    }
    return -1;
}
} // namespace

bool PrefersDark(int appearance, const QPalette &palette)
{
    if (appearance == 1 || appearance == 2)
        return appearance == 1;
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

TDesktopColorScheme::TDesktopColorScheme(const QDBusConnection &connection, QObject *parent)
    : QObject(parent)
{
    FAppearance = ReadAppearance(connection);
    FDark = PrefersDark(FAppearance, QApplication::palette());
    if (connection.isConnected())
        QDBusConnection(connection)
            .connect(QString(), PortalPath, Settings, QStringLiteral("SettingChanged"), this,
                     SLOT(SettingChanged(QString, QString, QDBusVariant)));
    qApp->installEventFilter(this);
}

bool TDesktopColorScheme::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        Update();
    return QObject::eventFilter(watched, event);
}

void TDesktopColorScheme::SettingChanged(const QString &group, const QString &key,
                                         const QDBusVariant &value)
{
    if (group != Appearance || key != ColorSchemeKey)
        return;
    FAppearance = AppearanceValue(value.variant());
    Update();
}

void TDesktopColorScheme::Update()
{
    const bool dark = PrefersDark(FAppearance, QApplication::palette());
    if (dark == FDark)
        return;
    FDark = dark;
    Q_EMIT Changed(FDark);
}

TDesktopColorScheme &DesktopColorScheme()
{
    static TDesktopColorScheme *scheme =
        new TDesktopColorScheme(QDBusConnection::sessionBus(), qApp);
    return *scheme;
}

bool StartEngineColorScheme(bool dark)
{
    static const bool started = [dark] {
        const QByteArray name = QByteArrayLiteral("QTWEBENGINE_CHROMIUM_FLAGS");
        QByteArray flags = qgetenv(name.constData());
        const qsizetype given = flags.indexOf("preferredColorScheme=");
        if (given >= 0)
            return flags.mid(given + 21, 1) == "0";
        // Blink's values: 0 dark, 1 light.
        const QByteArray setting = "preferredColorScheme=" + QByteArray(dark ? "0" : "1");
        const qsizetype blink = flags.indexOf("--blink-settings=");
        if (blink >= 0)
            flags.insert(blink + 17, setting + ',');
        else
            flags = (flags.trimmed() + " --blink-settings=" + setting).trimmed();
        qputenv(name.constData(), flags);
        return dark;
    }();
    return started;
}

TPageColorScheme::TPageColorScheme(QWebEnginePage *page, TDesktopColorScheme *scheme,
                                   bool engineDark, QObject *parent)
    : QObject(parent)
    , FPage(page)
    , FEngineDark(engineDark)
    , FDark(engineDark)
{
    connect(scheme, &TDesktopColorScheme::Changed, this, &TPageColorScheme::SchemeChanged);
    if (scheme->IsDark() != engineDark)
        SchemeChanged(scheme->IsDark());
}

void TPageColorScheme::SchemeChanged(bool dark)
{
    FDark = dark;
    if (!FPage || (!FTools && dark == FEngineDark))
        return;
    if (!FTools) {
        // The tools page lives with the page; it is never shown.
        FTools = new QWebEnginePage(FPage->profile(), FPage);
        connect(FTools, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            FToolsReady = ok;
            Send();
        });
        FPage->setDevToolsPage(FTools);
        return;
    }
    Send();
}

void TPageColorScheme::Send()
{
    if (!FToolsReady)
        return;
    // A protocol message, as a script that hands it to the tools' connection to the page.
    const auto command = [](int id, const QString &method, const QJsonObject &params) {
        const QString message =
            QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                                        {QStringLiteral("method"), method},
                                                        {QStringLiteral("params"), params}})
                                  .toJson(QJsonDocument::Compact));
        // The message as a script's string: the one element of a JSON array.
        const QByteArray quoted = QJsonDocument(QJsonArray{message}).toJson(QJsonDocument::Compact);
        return QStringLiteral("InspectorFrontendHost.sendMessageToBackend(%1)")
            .arg(QString::fromUtf8(quoted.mid(1, quoted.size() - 2)));
    };
    const QJsonObject feature{
        {QStringLiteral("name"), QStringLiteral("prefers-color-scheme")},
        {QStringLiteral("value"), FDark ? QStringLiteral("dark") : QStringLiteral("light")}};
    const QStringList commands{
        command(900001, QStringLiteral("Emulation.setEmulatedMedia"),
                {{QStringLiteral("features"), QJsonArray{feature}}}),
        // The attached tools must never stop the page at a breakpoint of its own.
        command(900002, QStringLiteral("Debugger.setSkipAllPauses"),
                {{QStringLiteral("skip"), true}})};
    for (const QString &script : commands)
        FTools->runJavaScript(script);
}
