// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/colorscheme.h"
#include "runner/launcherbadge.h"
#include "runner/pagecontextmenu.h"
#include "runner/settingsstore.h"
#include "runner/spellchecking.h"
#include "support/browsingtestwindow.h"
#include "support/httptestserver.h"
#include "support/privatebus.h"
#include "support/settingssandbox.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWebEngineContextMenuRequest>

namespace {
// A dock: owns the name launcher-entry readers own and records what it is told.
class TFakeDock : public QObject
{
    Q_OBJECT

public:
    struct TUpdate
    {
        QString AppUri;
        qint64 Count;
        bool Visible;
    };
    QList<TUpdate> Updates;

public Q_SLOTS:
    void Update(const QString &appUri, const QVariantMap &properties)
    {
        Updates.append({appUri, properties.value(QStringLiteral("count")).toLongLong(),
                        properties.value(QStringLiteral("count-visible")).toBool()});
    }
};

// The desktop portal's settings, as far as light and dark go.
class TFakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint Scheme = 0;

public Q_SLOTS:
    QDBusVariant ReadOne(const QString &group, const QString &key)
    {
        return QDBusVariant(group == QLatin1String("org.freedesktop.appearance") &&
                                    key == QLatin1String("color-scheme")
                                ? QVariant(Scheme)
                                : QVariant());
    }
};

const QByteArray SchemePage = R"(<html><head><style>
body { background: white }
@media (prefers-color-scheme: dark) { body { background: black } }
</style></head><body>text</body></html>)";

const QByteArray TypingPage = R"(<html><body>
<textarea id="field" spellcheck="true" style="font-size:40px; width:700px; height:200px">helo world</textarea>
</body></html>)";

} // namespace

class TDesktopIntegrationTest : public QObject
{
    Q_OBJECT

    TSettingsSandbox FSettings;
    THttpTestServer FServer;
    // Two small dictionaries made by the test, so that it needs none installed.
    QTemporaryDir FDictionaries;
    QString FDictionaryError;

    // Converts a word list into the engine's dictionary format as name.bdic.
    QString MakeDictionary(const QString &name, const QStringList &words)
    {
        const QString base = FDictionaries.filePath(name);
        QFile aff(base + QStringLiteral(".aff")), dic(base + QStringLiteral(".dic"));
        if (!aff.open(QIODevice::WriteOnly) || !dic.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write the word list");
        aff.write("SET UTF-8\nTRY esianrtolcdugmphbyfvkwz\n");
        dic.write(QByteArray::number(words.size()) + '\n' + words.join(u'\n').toUtf8() + '\n');
        aff.close();
        dic.close();
        QProcess convert;
        convert.start(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) +
                          QStringLiteral("/qwebengine_convert_dict"),
                      {dic.fileName(), base + QStringLiteral(".bdic")});
        if (!convert.waitForFinished(TTimeout::Program) || convert.exitCode() != 0)
            return QStringLiteral("qwebengine_convert_dict failed: ") + convert.errorString();
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FSettings.IsValid());
        QVERIFY(FServer.isListening());
        FServer.Serve("/scheme", SchemePage);
        FServer.Serve("/typing", TypingPage);
        // The engine reads the folder once, when it starts.
        QVERIFY(FDictionaries.isValid());
        FDictionaryError = MakeDictionary(QStringLiteral("en_US"),
                                          {QStringLiteral("hello"), QStringLiteral("world")});
        if (FDictionaryError.isEmpty())
            FDictionaryError = MakeDictionary(QStringLiteral("de_DE"),
                                              {QStringLiteral("hallo"), QStringLiteral("welt")});
        qputenv("QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(FDictionaries.path()));
    }

    void spellCheckLanguageFor_data()
    {
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        const QStringList debian{QStringLiteral("de_AT"), QStringLiteral("de_DE"),
                                 QStringLiteral("en_US"), QStringLiteral("pt_BR")};
        QTest::newRow("exact") << debian << "de_DE"
                               << "de_DE";
        QTest::newRow("exact, with encoding") << debian << "de_AT.UTF-8"
                                              << "de_AT";
        QTest::newRow("same language") << debian << "de_CH"
                                       << "de_AT";
        QTest::newRow("dash names")
            << QStringList{QStringLiteral("en-GB"), QStringLiteral("pt-BR")} << "pt_BR"
            << "pt-BR";
        QTest::newRow("no such language: English") << debian << "ja_JP"
                                                   << "en_US";
        QTest::newRow("C locale") << debian << "C"
                                  << "en_US";
        QTest::newRow("nothing suits") << QStringList{QStringLiteral("fr_FR")} << "ja_JP"
                                       << "";
        QTest::newRow("no dictionaries") << QStringList{} << "de_DE"
                                         << "";
    }

    void spellCheckLanguageFor()
    {
        QFETCH(QStringList, available);
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(SpellCheckLanguageFor(available, locale), language);
    }

    void spelling()
    {
        if (!FDictionaryError.isEmpty())
            QSKIP(qPrintable(FDictionaryError));
        QCOMPARE(SpellCheckLanguages(FDictionaries.path()),
                 (QStringList{QStringLiteral("de_DE"), QStringLiteral("en_US")}));
        const QString group = QStringLiteral("WebApps/{spelling-test}");
        QVERIFY(ChangeSettingsStore([&](QSettings &store) { store.remove(group); }));
        TBrowsingTestWindow window;
        TPageContextMenu menu(window.View);
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        TSpellChecking spelling(window.View, group, FDictionaries.path());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(spelling.Language(), QStringLiteral("en_US"));
        QVERIFY(spelling.LanguageAction());
        menu.AddAction(spelling.LanguageAction());
        QVERIFY(window.Load(FServer.Url("/typing")));
        QVERIFY(window.ShowAndFocus());
        window.Js(QStringLiteral("document.getElementById('field').focus()"));
        // The first word's place; the engine marks it once it has checked the field.
        const QPoint word = [&] {
            const QVariantList r =
                window
                    .Js(QStringLiteral("(() => { const r = "
                                       "document.getElementById('field').getBoundingClientRect();"
                                       " return [r.x, r.y]; })()"))
                    .toList();
            return QPoint(r.value(0).toInt() + 30, r.value(1).toInt() + 25);
        }();
        // Each right click is answered with a menu; asked again until the word is marked.
        QSignalSpy menus(window.View, &QWidget::customContextMenuRequested);
        QVERIFY(WaitFor(
            [&] {
                if (menu.LastMenu())
                    menu.LastMenu()->close();
                const qsizetype before = menus.size();
                QTest::mouseClick(window.RenderWidget(), Qt::RightButton, {}, word);
                if (!WaitFor([&] { return menus.size() > before; }, TTimeout::Page))
                    return false;
                const QWebEngineContextMenuRequest *request = window.View->lastContextMenuRequest();
                return request && request->misspelledWord() == QLatin1String("helo");
            },
            TTimeout::Page));
        QVERIFY(window.View->lastContextMenuRequest()->spellCheckerSuggestions().contains(
            QStringLiteral("hello")));
        QVERIFY(menu.LastMenu());
        QStringList texts;
        for (QAction *action : menu.LastMenu()->actions())
            texts.append(action->text());
        QVERIFY2(texts.contains(QStringLiteral("hello")), qPrintable(texts.join(u'|')));
        QVERIFY(spelling.LanguageAction()->isVisible());
        QCOMPARE(menu.LastMenu()->actions().constLast(), spelling.LanguageAction());
        menu.LastMenu()->close();

        // Another language for this web app, remembered for its next run.
        QMenu *languages = spelling.LanguageAction()->menu();
        QCOMPARE(languages->actions().size(), 2);
        languages->actions().constFirst()->trigger();
        QCOMPARE(spelling.Language(), QStringLiteral("de_DE"));
        QCOMPARE(window.Profile->spellCheckLanguages(), QStringList{QStringLiteral("de_DE")});
        QCOMPARE(OpenSettingsStore().value(group + QStringLiteral("/SpellCheckLanguage")),
                 QVariant(QStringLiteral("de_DE")));
        TBrowsingTestWindow next;
        QCOMPARE(TSpellChecking(next.View, group, FDictionaries.path()).Language(),
                 QStringLiteral("de_DE"));
        // A preview switches too but remembers nothing.
        TSpellChecking preview(next.View, QString(), FDictionaries.path());
        preview.LanguageAction()->menu()->actions().constLast()->trigger();
        QCOMPARE(preview.Language(), QStringLiteral("en_US"));
        QCOMPARE(OpenSettingsStore().value(group + QStringLiteral("/SpellCheckLanguage")),
                 QVariant(QStringLiteral("de_DE")));
        // Outside text fields the language is no matter.
        window.Js(QStringLiteral("document.body.insertAdjacentHTML('afterbegin', "
                                 "'<p style=\"font-size:40px\">plain</p>')"));
        QTest::mouseClick(window.RenderWidget(), Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(WaitFor([&] { return menu.LastMenu() && !spelling.LanguageAction()->isVisible(); },
                        TTimeout::Page));
        menu.LastMenu()->close();
    }

    void titleUnreadCount_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::newRow("count") << "(3) Inbox" << 3;
        QTest::newRow("no space") << "(12)Inbox" << 12;
        QTest::newRow("count alone") << "(7)" << 7;
        QTest::newRow("leading space") << "  (4) Chat" << 4;
        QTest::newRow("thousands") << "(1,024) Inbox" << 1024;
        QTest::newRow("capped by the site") << "(99+) Inbox" << 99;
        QTest::newRow("zero") << "(0) Inbox" << 0;
        QTest::newRow("no count") << "Inbox" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("count at the end") << "Inbox (3)" << 0;
        QTest::newRow("word") << "(draft) Letter" << 0;
        QTest::newRow("count and word") << "(2 new) Inbox" << 0;
        QTest::newRow("negative") << "(-1) Inbox" << 0;
        QTest::newRow("empty parentheses") << "() Inbox" << 0;
        QTest::newRow("unclosed") << "(3 Inbox" << 0;
        QTest::newRow("plus alone") << "(+) Inbox" << 0;
        QTest::newRow("other digits") << "(\u0663) Inbox" << 0;
        QTest::newRow("huge") << "(99999999999999999999) Inbox" << std::numeric_limits<int>::max();
    }

    void titleUnreadCount()
    {
        QFETCH(QString, title);
        QFETCH(int, count);
        QCOMPARE(TitleUnreadCount(title), count);
    }

    void launcherBadge()
    {
        TPrivateBus bus;
        if (!bus.Start())
            QSKIP("no dbus-daemon to run a private bus");
        {
            QDBusConnection app =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("app"));
            QDBusConnection dock =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("dock"));
            QVERIFY(app.isConnected() && dock.isConnected());
            TFakeDock reader;
            QVERIFY(dock.connect({}, {}, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                 QStringLiteral("Update"), &reader,
                                 SLOT(Update(QString, QVariantMap))));
            const QString uri = QStringLiteral("application://lumivane-0123456789ab.desktop");
            const auto counts = [&] {
                QList<qint64> seen;
                for (const TFakeDock::TUpdate &update : std::as_const(reader.Updates)) {
                    if (update.AppUri != uri || update.Visible != (update.Count > 0))
                        seen.append(-1);
                    else
                        seen.append(update.Count);
                }
                return seen;
            };
            {
                auto badge = std::make_unique<TLauncherBadge>(
                    QStringLiteral("lumivane-0123456789ab.desktop"), app);
                // No reader yet: the count is kept, nothing is sent.
                badge->SetCount(3);
                QVERIFY(WaitFor(
                    [&] { return badge->findChildren<QDBusPendingCallWatcher *>().isEmpty(); }));
                // A reader that appears is told the count at once.
                QVERIFY(dock.registerService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(WaitFor([&] { return reader.Updates.size() == 1; }));
                badge->SetCount(5);
                badge->SetCount(5);
                badge->SetCount(0); // the count went: the badge is cleared
                badge->SetCount(0);
                badge->SetCount(2);
                QVERIFY(WaitFor([&] { return reader.Updates.size() == 4; }));
                // A reader that restarts is told again.
                QVERIFY(dock.unregisterService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(dock.registerService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(WaitFor([&] { return reader.Updates.size() == 5; }));
            }
            // A closed web app clears its badge.
            QVERIFY(WaitFor([&] { return reader.Updates.size() == 6; }));
            QCOMPARE(counts(), (QList<qint64>{3, 5, 0, 2, 2, 0}));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("app"));
        QDBusConnection::disconnectFromBus(QStringLiteral("dock"));
    }

    void prefersDark_data()
    {
        QTest::addColumn<int>("appearance");
        QTest::addColumn<bool>("darkPalette");
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark asked") << 1 << false << true;
        QTest::newRow("light asked") << 2 << true << false;
        QTest::newRow("no preference, light palette") << 0 << false << false;
        QTest::newRow("no preference, dark palette") << 0 << true << true;
        QTest::newRow("no portal, dark palette") << -1 << true << true;
        QTest::newRow("no portal, light palette") << -1 << false << false;
    }

    void prefersDark()
    {
        QFETCH(int, appearance);
        QFETCH(bool, darkPalette);
        QFETCH(bool, dark);
        QPalette palette;
        palette.setColor(QPalette::Window, darkPalette ? QColor(0x30, 0x30, 0x30) : Qt::white);
        palette.setColor(QPalette::WindowText, darkPalette ? Qt::white : Qt::black);
        QCOMPARE(PrefersDark(appearance, palette), dark);
    }

    // The page's prefers-color-scheme follows the portal's setting while it runs.
    void pageFollowsDesktopScheme()
    {
        TPrivateBus bus;
        if (!bus.Start())
            QSKIP("no dbus-daemon to run a private bus");
        {
            QDBusConnection app =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("app"));
            QDBusConnection desktop =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("desktop"));
            // The portal answers from a thread of its own: the start reads it with a blocking
            // call.
            QThread portalThread;
            TFakePortal portal;
            portal.Scheme = 2;
            portal.moveToThread(&portalThread);
            portalThread.start();
            const auto stopPortal = qScopeGuard([&] {
                portalThread.quit();
                portalThread.wait();
            });
            QVERIFY(desktop.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"),
                                           &portal, QDBusConnection::ExportAllSlots));
            QVERIFY(desktop.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
            // The portal's "light" wins over a dark palette.
            const QPalette palette = QApplication::palette();
            QPalette dark = palette;
            dark.setColor(QPalette::Window, Qt::black);
            dark.setColor(QPalette::WindowText, Qt::white);
            QApplication::setPalette(dark);
            TDesktopColorScheme scheme(app);
            QApplication::setPalette(palette);
            QVERIFY(!scheme.IsDark());

            // The engine of this test starts light, as the test's scheme is.
            TBrowsingTestWindow window;
            TPageColorScheme follower(window.Page(), &scheme, false);
            QVERIFY(window.Load(FServer.Url("/scheme")));
            const auto pageDark = [&] {
                return window
                    .Js(QStringLiteral("matchMedia('(prefers-color-scheme: dark)').matches "
                                       "&& getComputedStyle(document.body)"
                                       ".backgroundColor == 'rgb(0, 0, 0)'"))
                    .toBool();
            };
            QVERIFY(!pageDark());
            QSignalSpy changed(&scheme, &TDesktopColorScheme::Changed);
            const auto setScheme = [&](uint value) {
                QDBusMessage signal =
                    QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                               QStringLiteral("org.freedesktop.portal.Settings"),
                                               QStringLiteral("SettingChanged"));
                signal << QStringLiteral("org.freedesktop.appearance")
                       << QStringLiteral("color-scheme")
                       << QVariant::fromValue(QDBusVariant(QVariant(value)));
                QVERIFY(desktop.send(signal));
            };
            setScheme(1);
            QVERIFY(changed.wait());
            QVERIFY(scheme.IsDark());
            QVERIFY(WaitFor(pageDark, TTimeout::Page));
            // The tools, once they have started, set the page's media themselves: the page
            // stays dark after that.
            QWebEnginePage *tools = window.Page()->devToolsPage();
            QVERIFY(tools);
            QVERIFY(WaitFor(
                [&] {
                    return RunScript(tools, QStringLiteral("window.lumivaneRewritten || 0"))
                               .toInt() > 0;
                },
                TTimeout::Page));
            QVERIFY(pageDark());
            // The next page of the site is dark from its start.
            QVERIFY(window.Load(FServer.Url("/scheme")));
            QVERIFY(pageDark());
            setScheme(2);
            QVERIFY(WaitFor([&] { return !pageDark(); }, TTimeout::Page));
            QVERIFY(window.Js(QStringLiteral("matchMedia('(prefers-color-scheme: light)').matches"))
                        .toBool());
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("app"));
        QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    }
};

QTEST_MAIN(TDesktopIntegrationTest)
#include "tst_desktopintegration.moc"
