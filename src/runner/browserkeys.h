// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QKeyEvent;
class QWebEngineView;
class QWidget;

// The browser keys of a web app window: reload (F5, Ctrl+R), back and forward (Alt+Left/Right),
// zoom (Ctrl+plus, Ctrl+minus, Ctrl+0) and the requests to find (Ctrl+F) and print (Ctrl+P).
// Every key reaches the page first: the engine hands back to the view's parent only what the page
// left unhandled, and only that (or a key the window's own controls ignore) acts here. Ctrl+wheel
// and the mouse's back and forward buttons are the engine's own; the zoom they leave is
// remembered like the keys' zoom, per web app, as the integer percentage "Zoom" in its settings
// group (nothing is remembered without a group: the designer's preview).
class TBrowserKeys : public QObject
{
    Q_OBJECT

public:
    TBrowserKeys(QWebEngineView *view, QWidget *window, const QString &settingsGroup,
                 QObject *parent = nullptr);

    void ZoomIn();
    void ZoomOut();
    void ResetZoom();

    // The zoom steps, as factors, from the smallest to the largest.
    static const QList<qreal> &ZoomSteps();
    // The remembered zoom of a settings group; 1.0 when none or unusable.
    static qreal LoadZoomFactor(const QString &settingsGroup);
    static void SaveZoomFactor(const QString &settingsGroup, qreal factor);

Q_SIGNALS:
    void FindRequested();
    void PrintRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool KeyPress(const QKeyEvent *event);
    void SetZoom(qreal factor);
    void SyncZoom();
    void WatchRenderWidget(QObject *child);

    QWebEngineView *FView;
    QWidget *FWindow;
    QString FSettingsGroup;
    QTimer FWheelZoomSync;
    qreal FSavedZoom = 1.0;
};
