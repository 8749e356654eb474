// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QTimer;
class QWidget;

// How the repaint after an accepted key is delayed: by posting WM_AltBugForceSelfRepaint to the
// form, which then calls ForceControlRepaint, or by the fix's own one-shot timer.
enum TmqALTBugFixDelayType : quint8 { dtPostMsg = 0, dtTimer = 1 };

// The private message posted to the form for dtPostMsg.
inline constexpr QEvent::Type WM_AltBugForceSelfRepaint = QEvent::Type(0x81A9);

// The virtual-key codes the fix reacts to.
namespace VirtualKey {
enum : quint16 { Tab = 9, Menu = 18, Left = 37, Up = 38, Right = 39, Down = 40 };
}

// The virtual-key code of a Qt key (letters, digits, editing, navigation and function keys);
// 0 for keys without one.
quint16 VirtualKeyFromQtKey(int qtKey);
quint16 VirtualKeyOf(const QKeyEvent *event);

// Whether the application draws its controls with visual themes. On Windows: a themed
// application under an active theme and the themed native style. Elsewhere every style counts as
// themed except Qt's classic "Windows" one.
bool ThemesInEffect();

// Buttons, check boxes and radio buttons drawn by a visual theme do not redraw when ALT reveals
// their accelerator underlines. A form owns one fix and feeds it every key-down; shortly after
// ALT (or the first TAB or arrow key after it) the fix repaints those controls.
class TmqALTBugFix : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TmqALTBugFixDelayType DelayType MEMBER DelayType)
    Q_PROPERTY(bool Enabled MEMBER Enabled)
    Q_PROPERTY(qint32 TimerDelayMsec MEMBER TimerDelayMsec)

public:
    explicit TmqALTBugFix(QObject *owner);

    TmqALTBugFixDelayType DelayType = dtTimer;
    // False makes KeyDownCheck do nothing.
    bool Enabled = true;
    // Read at each accepted key; at most zero, the timer never fires.
    qint32 TimerDelayMsec = 10;

    // Called for every key-down that reaches the form; never consumes the key.
    void KeyDownCheck(QWidget *form, quint16 key);
    // Repaints the button-type controls of the form the last accepted key came from.
    void ForceControlRepaint();

    // Whether a timed repaint is pending.
    bool IsTimerArmed() const;

private:
    void DelayTimerTimer();

    QPointer<QWidget> FTargetForm;
    QTimer *FDelayTimer;
    // The last accepted key was ALT, so one TAB or arrow key may follow.
    bool FAltSeen = false;
};

// Walks a control and what it parents: button-type controls repaint at once and are not
// descended into; icon-only buttons are skipped with their contents; labels and images are
// skipped; every other control is walked in child order, hidden ones too.
void RepaintButtonControls(QWidget *control);
