// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

// Hands a form every key press from the user that reaches it, whichever of its controls has the
// focus, once per key press, before the controls handle it. The key is never consumed, so the
// focused control and the menu shortcuts see it as usual. Keys that Qt resolves as shortcuts before
// any widget sees them do not reach the hook. Owned by the form.
class TFormKeyHook : public QObject
{
    Q_OBJECT

public:
    explicit TFormKeyHook(QWidget *form);
    ~TFormKeyHook() override;

signals:
    void KeyDown(QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *FForm;
    // The key press being handed from a control to its parents, and its latest receiver.
    const QEvent *FPropagating = nullptr;
    QPointer<QWidget> FLastReceiver;
};
