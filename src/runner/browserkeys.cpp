// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/browserkeys.h"

#include "runner/settingsstore.h"

#include <QKeyEvent>
#include <QWebEngineView>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
const QString ZoomValue = QStringLiteral("Zoom");

// The engine's zoom reaches the view a little after the wheel turned; this is how long to wait
// before reading it back.
constexpr int WheelZoomSyncDelay = 400;

bool SameZoom(qreal a, qreal b)
{
    return std::abs(a - b) < 0.005;
}
} // namespace

TBrowserKeys::TBrowserKeys(QWebEngineView *view, QWidget *window, const QString &settingsGroup,
                           QObject *parent)
    : QObject(parent)
    , FView(view)
    , FWindow(window)
    , FSettingsGroup(settingsGroup)
{
    FSavedZoom = LoadZoomFactor(FSettingsGroup);
    if (!SameZoom(FSavedZoom, 1.0))
        FView->setZoomFactor(FSavedZoom);
    FWindow->installEventFilter(this);
    FView->installEventFilter(this);
    for (QObject *child : FView->children())
        WatchRenderWidget(child);
    FWheelZoomSync.setSingleShot(true);
    FWheelZoomSync.setInterval(WheelZoomSyncDelay);
    connect(&FWheelZoomSync, &QTimer::timeout, this, &TBrowserKeys::SyncZoom);
}

const QList<qreal> &TBrowserKeys::ZoomSteps()
{
    static const QList<qreal> steps = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                       1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};
    return steps;
}

qreal TBrowserKeys::LoadZoomFactor(const QString &settingsGroup)
{
    if (settingsGroup.isEmpty())
        return 1.0;
    QSettings store = OpenSettingsStore();
    store.beginGroup(settingsGroup);
    bool ok = false;
    const int percent = store.value(ZoomValue).toInt(&ok);
    if (!ok)
        return 1.0;
    const qreal factor = percent / 100.0;
    if (factor < ZoomSteps().constFirst() || factor > ZoomSteps().constLast())
        return 1.0;
    return factor;
}

void TBrowserKeys::SaveZoomFactor(const QString &settingsGroup, qreal factor)
{
    if (settingsGroup.isEmpty())
        return;
    ChangeSettingsStore([&](QSettings &store) {
        store.setValue(settingsGroup + u'/' + ZoomValue, qRound(factor * 100));
    });
}

void TBrowserKeys::ZoomIn()
{
    const qreal current = FView->zoomFactor();
    for (qreal step : ZoomSteps()) {
        if (step > current + 0.005) {
            SetZoom(step);
            return;
        }
    }
}

void TBrowserKeys::ZoomOut()
{
    const qreal current = FView->zoomFactor();
    const QList<qreal> &steps = ZoomSteps();
    for (auto step = steps.crbegin(); step != steps.crend(); ++step) {
        if (*step < current - 0.005) {
            SetZoom(*step);
            return;
        }
    }
}

void TBrowserKeys::ResetZoom()
{
    SetZoom(1.0);
}

void TBrowserKeys::SetZoom(qreal factor)
{
    FView->setZoomFactor(factor);
    FSavedZoom = factor;
    SaveZoomFactor(FSettingsGroup, factor);
}

void TBrowserKeys::SyncZoom()
{
    const qreal factor = FView->zoomFactor();
    if (SameZoom(factor, FSavedZoom))
        return;
    FSavedZoom = factor;
    SaveZoomFactor(FSettingsGroup, factor);
}

void TBrowserKeys::WatchRenderWidget(QObject *child)
{
    if (child->isWidgetType())
        child->installEventFilter(this);
}

bool TBrowserKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Keys typed into the page arrive at the window only when the page left them unhandled.
        if (watched == FWindow && KeyPress(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::Wheel:
        if (static_cast<QWheelEvent *>(event)->modifiers() & Qt::ControlModifier)
            FWheelZoomSync.start();
        break;
    case QEvent::ChildAdded:
        // The engine replaces its render widget when a page moves to another renderer.
        if (watched == FView)
            WatchRenderWidget(static_cast<QChildEvent *>(event)->child());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool TBrowserKeys::KeyPress(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool ctrl = modifiers == Qt::ControlModifier;
    const bool alt = modifiers == Qt::AltModifier;
    const bool none = modifiers == Qt::NoModifier;

    if ((none && key == Qt::Key_F5) || (ctrl && key == Qt::Key_R) ||
        (none && key == Qt::Key_Refresh))
        FView->triggerPageAction(QWebEnginePage::Reload);
    else if ((modifiers == Qt::ShiftModifier && key == Qt::Key_F5) ||
             (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_R))
        FView->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
    else if ((alt && key == Qt::Key_Left) || (none && key == Qt::Key_Back))
        FView->triggerPageAction(QWebEnginePage::Back);
    else if ((alt && key == Qt::Key_Right) || (none && key == Qt::Key_Forward))
        FView->triggerPageAction(QWebEnginePage::Forward);
    else if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) &&
             (key == Qt::Key_Plus || key == Qt::Key_Equal))
        ZoomIn(); // Ctrl+= is Ctrl+plus without Shift on many layouts
    else if (ctrl && (key == Qt::Key_Minus || key == Qt::Key_Underscore))
        ZoomOut();
    else if (ctrl && key == Qt::Key_0)
        ResetZoom();
    else if (ctrl && key == Qt::Key_F)
        Q_EMIT FindRequested();
    else if (ctrl && key == Qt::Key_P)
        Q_EMIT PrintRequested();
    else
        return false;
    return true;
}
