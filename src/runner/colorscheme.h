// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTimer>

class QDBusVariant;
class QWebEnginePage;

// Whether a desktop prefers dark: the freedesktop appearance setting ("color-scheme": 0 no
// preference, 1 dark, 2 light; -1 when it cannot be read), else the lightness of the palette.
bool PrefersDark(int appearance, const QPalette &palette);

// The desktop's preference between light and dark, read over the desktop portal and followed
// while the program runs; without a portal (or with no preference there) the application
// palette's lightness decides.
class TDesktopColorScheme : public QObject
{
    Q_OBJECT

public:
    explicit TDesktopColorScheme(const QDBusConnection &connection = QDBusConnection::sessionBus(),
                                 QObject *parent = nullptr);

    bool IsDark() const { return FDark; }

Q_SIGNALS:
    void Changed(bool dark);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void SettingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void Update();

    int FAppearance = -1;
    bool FDark = false;
};

// The process's one preference, made at its first use.
TDesktopColorScheme &DesktopColorScheme();

// Tells the web engine, before it starts, which scheme pages are to prefer. Once per process;
// a scheme given on the engine's command line by the user stays. Returns the scheme the engine
// starts with.
bool StartEngineColorScheme(bool dark);

// Keeps a page's prefers-color-scheme with the desktop's preference while it runs. The engine
// takes the preference only when it starts; a change afterwards reaches the page through the
// engine's developer-tools protocol (a hidden tools page attached to it), made only when the
// preference has changed from the one the engine started with.
class TPageColorScheme : public QObject
{
    Q_OBJECT

public:
    TPageColorScheme(QWebEnginePage *page, TDesktopColorScheme *scheme, bool engineDark,
                     QObject *parent = nullptr);

private:
    void SchemeChanged(bool dark);
    void Send();
    void CheckAnswered();

    // Our protocol messages' ids, above the tools' own.
    static constexpr int FirstId = 1000000000;
    static constexpr int RetryMs = 300;
    static constexpr int MaxTries = 50;

    QPointer<QWebEnginePage> FPage;
    QTimer FRetry;
    int FLastId = FirstId;
    int FTries = 0;
    QWebEnginePage *FTools = nullptr;
    bool FToolsReady = false;
    bool FEngineDark;
    bool FDark;
};
