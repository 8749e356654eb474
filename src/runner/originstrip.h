// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;
class QWebEngineView;

// A slim strip along the top of a web app window while it shows a page of another site (a
// sign-in provider, say): that page's origin, marked when the connection is not https, and a
// button back to the web app's own address. Hidden while the window is on the web app's site.
class TOriginStrip : public QWidget
{
    Q_OBJECT

public:
    TOriginStrip(QWebEngineView *view, QWidget *parent);

    // The web app's own address, whose site needs no strip.
    void SetHome(const QUrl &home);

    // The origin as the strip shows it: scheme and host, with the port when there is one.
    static QString OriginText(const QUrl &url);

Q_SIGNALS:
    // Shown or hidden: the window lays itself out again.
    void VisibilityChanged();

private:
    void Update();

    QWebEngineView *FView;
    QUrl FHome;
    QLabel *FOriginLabel;
    QLabel *FNotSecureLabel;
    QPushButton *FBackButton;
};

// A small notice that the page tried to open a window without the user's click or key, naming
// the address, with a button that opens it after all. Hidden until a window is blocked; dismissed
// by the user or by opening it.
class TBlockedWindowNotice : public QWidget
{
    Q_OBJECT

public:
    explicit TBlockedWindowNotice(QWidget *parent);

    void Block(const QUrl &url);
    QUrl BlockedUrl() const { return FUrl; }
    // Forgets what was blocked: the user dismissed it, or the page it was blocked on is gone.
    void Dismiss();

Q_SIGNALS:
    // The user asks for the blocked window: this is their action.
    void OpenRequested(const QUrl &url);
    void VisibilityChanged();

private:
    QUrl FUrl;
    int FCount = 0;
    QLabel *FLabel;
};
