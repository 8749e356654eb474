// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/colorscheme.h"

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
    FRetry.setSingleShot(true);
    FRetry.setInterval(RetryMs);
    connect(&FRetry, &QTimer::timeout, this, &TPageColorScheme::CheckAnswered);
    connect(scheme, &TDesktopColorScheme::Changed, this, &TPageColorScheme::SchemeChanged);
    if (scheme->IsDark() != engineDark)
        SchemeChanged(scheme->IsDark());
}

void TPageColorScheme::SchemeChanged(bool dark)
{
    FDark = dark;
    FTries = 0;
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
    FRetry.stop();
    if (!FToolsReady)
        return;
    // Messages sent before the tools have attached to the page are lost, and the tools say when
    // they have: a message is sent again until its answer comes. The answers to ours are kept
    // from the tools' own handling, which knows nothing of them. The tools, once started, set
    // the page's emulated media themselves (to none) and whether it pauses: those messages of
    // theirs carry our preference instead.
    const int id = ++FLastId;
    const auto message = [](int id, const QString &method, const QJsonObject &params) {
        const QString text =
            QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                                        {QStringLiteral("method"), method},
                                                        {QStringLiteral("params"), params}})
                                  .toJson(QJsonDocument::Compact));
        // As a script's string: the one element of a JSON array.
        const QByteArray quoted = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    };
    const QString scheme = FDark ? QStringLiteral("dark") : QStringLiteral("light");
    const QJsonObject feature{{QStringLiteral("name"), QStringLiteral("prefers-color-scheme")},
                              {QStringLiteral("value"), scheme}};
    const QString script = QStringLiteral(R"((() => {
  window.lumivaneScheme = '%2';
  if (!window.lumivaneAnswers) {
    window.lumivaneAnswers = new Set();
    window.lumivaneRewritten = 0;
    const dispatch = DevToolsAPI.dispatchMessage.bind(DevToolsAPI);
    DevToolsAPI.dispatchMessage = message => {
      const id = JSON.parse(String(message)).id;
      if (id >= %1) { window.lumivaneAnswers.add(id); return; }
      return dispatch(message);
    };
    const send = InspectorFrontendHost.sendMessageToBackend.bind(InspectorFrontendHost);
    window.lumivaneSend = send;
    InspectorFrontendHost.sendMessageToBackend = message => {
      const m = JSON.parse(message);
      if (m.method == 'Emulation.setEmulatedMedia') {
        m.params = m.params || {};
        m.params.features = (m.params.features || [])
          .filter(f => f.name != 'prefers-color-scheme')
          .concat([{name: 'prefers-color-scheme', value: window.lumivaneScheme}]);
        ++window.lumivaneRewritten;
      } else if (m.method == 'Debugger.setSkipAllPauses') {
        m.params = {skip: true};
      }
      return send(JSON.stringify(m));
    };
  }
  window.lumivaneSend(%3);
  window.lumivaneSend(%4);
})())")
                               .arg(FirstId)
                               .arg(scheme,
                                    message(id, QStringLiteral("Emulation.setEmulatedMedia"),
                                            {{QStringLiteral("features"), QJsonArray{feature}}}),
                                    // The hidden tools must never stop the page at a breakpoint.
                                    message(id + 1, QStringLiteral("Debugger.setSkipAllPauses"),
                                            {{QStringLiteral("skip"), true}}));
    ++FLastId;
    FTools->runJavaScript(script);
    FRetry.start();
}

void TPageColorScheme::CheckAnswered()
{
    const int id = FLastId - 1;
    FTools->runJavaScript(
        QStringLiteral("!!window.lumivaneAnswers && window.lumivaneAnswers.has(%1)").arg(id),
        // A page that goes away answers its pending scripts while this object may already be
        // gone with it.
        [self = QPointer<TPageColorScheme>(this), id,
         tools = QPointer<QWebEnginePage>(FTools)](const QVariant &answered) {
            if (self && tools && id == self->FLastId - 1 && !answered.toBool() &&
                ++self->FTries < MaxTries)
                self->Send();
        });
}
