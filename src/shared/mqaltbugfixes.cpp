// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/mqaltbugfixes.h"

#include "shared/tntcontrols.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#ifdef Q_OS_WIN
#include <uxtheme.h>
#include <windows.h>
#endif

quint16 VirtualKeyFromQtKey(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return quint16(qtKey); // the same codes as ASCII upper case and digits
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return quint16(0x70 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+TAB is the TAB key
        return VirtualKey::Tab;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VirtualKey::Menu;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Up:
        return VirtualKey::Up;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Down:
        return VirtualKey::Down;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return 0;
    }
}

quint16 VirtualKeyOf(const QKeyEvent *event)
{
    return VirtualKeyFromQtKey(event->key());
}

bool ThemesInEffect()
{
    const QStyle *style = QApplication::style();
    if (!style)
        return false;
#ifdef Q_OS_WIN
    // Only the native themed style draws through the visual-styles engine, and only while the
    // application is themed and a theme is active.
    return IsAppThemed() && IsThemeActive() &&
           style->name().compare(QLatin1String("windowsvista"), Qt::CaseInsensitive) == 0;
#else
    // No desktop here hides accelerator cues behind a theme engine, so the fix is kept to the
    // same rule as everywhere: themed unless the classic unthemed look is in use.
    return style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
#endif
}

TmqALTBugFix::TmqALTBugFix(QObject *owner)
    : QObject(owner)
    , FDelayTimer(new QTimer(this))
{
    FDelayTimer->setSingleShot(true);
    FDelayTimer->setInterval(TimerDelayMsec);
    connect(FDelayTimer, &QTimer::timeout, this, &TmqALTBugFix::DelayTimerTimer);
}

void TmqALTBugFix::KeyDownCheck(QWidget *form, quint16 key)
{
    switch (key) {
    case VirtualKey::Tab:
    case VirtualKey::Menu:
    case VirtualKey::Left:
    case VirtualKey::Up:
    case VirtualKey::Right:
    case VirtualKey::Down:
        break;
    default:
        return;
    }
    if (!Enabled || !ThemesInEffect())
        return;
    // TAB or an arrow key counts only as the first key after ALT.
    if (key != VirtualKey::Menu && !FAltSeen)
        return;
    FAltSeen = key == VirtualKey::Menu;
    FTargetForm = form;
    if (DelayType == dtPostMsg) {
        if (form)
            QCoreApplication::postEvent(form, new QEvent(WM_AltBugForceSelfRepaint));
        return;
    }
    // A timer without an interval never fires. A new interval restarts a running timer; the
    // same interval leaves it running as it is.
    if (TimerDelayMsec <= 0) {
        FDelayTimer->stop();
        return;
    }
    if (FDelayTimer->interval() != TimerDelayMsec)
        FDelayTimer->setInterval(TimerDelayMsec);
    if (!FDelayTimer->isActive())
        FDelayTimer->start();
}

void TmqALTBugFix::ForceControlRepaint()
{
    if (FTargetForm)
        RepaintButtonControls(FTargetForm);
}

bool TmqALTBugFix::IsTimerArmed() const
{
    return FDelayTimer->isActive();
}

void TmqALTBugFix::DelayTimerTimer()
{
    ForceControlRepaint();
    FDelayTimer->stop();
}

namespace {
bool IsIconOnlyButton(const QAbstractButton *button)
{
    if (button->icon().isNull())
        return false;
    if (const auto *tool = qobject_cast<const QToolButton *>(button)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return true;
    }
    return button->text().isEmpty();
}
} // namespace

void RepaintButtonControls(QWidget *control)
{
    if (!control || !IsWindowedControl(control))
        return;
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        if (!IsIconOnlyButton(button))
            button->repaint();
        return;
    }
    for (QWidget *child : ParentedControls(control))
        RepaintButtonControls(child);
}
