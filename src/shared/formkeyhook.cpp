// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/formkeyhook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

TFormKeyHook::TFormKeyHook(QWidget *form)
    : QObject(form)
    , FForm(form)
{
    // The application sees a key press at every control it reaches, whichever has the focus.
    qApp->installEventFilter(this);
}

TFormKeyHook::~TFormKeyHook()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool TFormKeyHook::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    // Only keys the user pressed or let go: a control that hands a key it did not want back to
    // its parent (the web view does) sends it anew, and that is no new key-down; and the engine
    // sends keys of its own, one of them to a page view that is being destroyed, which must not
    // be looked at.
    if (!event->spontaneous())
        return false;
    if (!watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver != FForm && !FForm->isAncestorOf(receiver))
        return false;
    if (type == QEvent::KeyRelease) {
        FPropagating = nullptr;
        return false;
    }
    // A key press that the focused control ignores goes on to its parent as the same event:
    // that is still the one key press.
    if (event == FPropagating && FLastReceiver && !FLastReceiver->isWindow() &&
        receiver == FLastReceiver->parentWidget()) {
        FLastReceiver = receiver;
        return false;
    }
    FPropagating = event;
    FLastReceiver = receiver;
    emit KeyDown(static_cast<QKeyEvent *>(event));
    return false;
}
