// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/formkeyhook.h"
#include "shared/mqaltbugfixes.h"
#include "shared/tntcontrols.h"
#include "support/wait.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyleFactory>
#include <QToolButton>
#include <QtTest>

namespace {
// A control that counts how often it is painted.
template <class T> class TCounted : public T
{
public:
    using T::T;
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++Paints;
        T::paintEvent(event);
    }
};

QIcon SomeIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    return QIcon(pixmap);
}

// A form with every kind of control the repaint walk tells apart, none overlapping another.
struct TButtonForm
{
    QWidget form;
    TCounted<QPushButton> *push = new TCounted<QPushButton>(QStringLiteral("&Push"), &form);
    TCounted<QCheckBox> *check = new TCounted<QCheckBox>(QStringLiteral("&Check"), &form);
    TCounted<QRadioButton> *radio = new TCounted<QRadioButton>(QStringLiteral("&Radio"), &form);
    TCounted<TTntButton> *wide = new TCounted<TTntButton>(QStringLiteral("&Wide"), &form);
    TCounted<QPushButton> *iconAndText = new TCounted<QPushButton>(QStringLiteral("&Both"), &form);
    QFrame *panel = new QFrame(&form);
    TCounted<QPushButton> *panelPush = new TCounted<QPushButton>(QStringLiteral("P&anel"), panel);
    QGroupBox *group = new QGroupBox(QStringLiteral("&Group"), &form);
    TCounted<QCheckBox> *groupCheck = new TCounted<QCheckBox>(QStringLiteral("C&heck"), group);
    TCounted<QRadioButton> *groupRadio =
        new TCounted<QRadioButton>(QStringLiteral("R&adio"), group);
    TCounted<QLabel> *label = new TCounted<QLabel>(QStringLiteral("&Label"), &form);
    TCounted<QLabel> *image = new TCounted<QLabel>(&form);
    // Labels only draw themselves; whatever sits inside one is not a control of the form.
    TCounted<QPushButton> *insideLabel = new TCounted<QPushButton>(QStringLiteral("&x"), label);
    TCounted<QPushButton> *iconOnly = new TCounted<QPushButton>(&form);
    TCounted<QPushButton> *insideIconOnly =
        new TCounted<QPushButton>(QStringLiteral("&In"), iconOnly);
    TCounted<QToolButton> *toolIcon = new TCounted<QToolButton>(&form);

    TButtonForm()
    {
        form.resize(400, 300);
        push->setGeometry(10, 10, 80, 25);
        check->setGeometry(100, 10, 80, 25);
        radio->setGeometry(190, 10, 80, 25);
        wide->setGeometry(280, 10, 80, 25);
        panel->setGeometry(10, 50, 120, 60);
        panelPush->setGeometry(10, 10, 80, 25);
        group->setGeometry(140, 50, 200, 80);
        groupCheck->setGeometry(10, 25, 80, 25);
        groupRadio->setGeometry(100, 25, 80, 25);
        label->setGeometry(10, 140, 80, 20);
        insideLabel->setGeometry(50, 2, 25, 16);
        QPixmap picture(32, 32);
        picture.fill(Qt::red);
        image->setPixmap(picture);
        image->setGeometry(100, 140, 32, 32);
        iconOnly->setIcon(SomeIcon());
        iconOnly->setGeometry(10, 190, 120, 60);
        insideIconOnly->setGeometry(60, 20, 50, 25);
        iconAndText->setIcon(SomeIcon());
        iconAndText->setGeometry(140, 190, 80, 25);
        toolIcon->setIcon(SomeIcon());
        toolIcon->setText(QStringLiteral("tool"));
        toolIcon->setGeometry(240, 190, 30, 30);
    }

    QList<int *> ButtonCounts()
    {
        return {&push->Paints,        &check->Paints,     &radio->Paints,      &wide->Paints,
                &iconAndText->Paints, &panelPush->Paints, &groupCheck->Paints, &groupRadio->Paints};
    }
    QList<int *> NeverCounts()
    {
        return {&label->Paints,    &image->Paints,          &insideLabel->Paints,
                &iconOnly->Paints, &insideIconOnly->Paints, &toolIcon->Paints};
    }
    void Reset()
    {
        for (int *count : ButtonCounts() + NeverCounts())
            *count = 0;
    }
};

// Waits for the fix's timed repaint to be done. Its repaints are immediate, so once the
// timer has run out every paint it causes has happened.
void Settle(const TmqALTBugFix &fix)
{
    QVERIFY(WaitFor([&fix] { return !fix.IsTimerArmed(); }));
}

// Runs what is queued (the window system's events, posted events) and paints the whole form at
// once, so that no paint that was due before reaches the counts.
void FlushPaints(QWidget &form)
{
    QCoreApplication::processEvents();
    form.repaint();
}

// Counts the private repaint message arriving at a form.
class TMessageCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == WM_AltBugForceSelfRepaint)
            ++Count;
        return false;
    }
};
} // namespace

class TAltBugFixTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void virtualKeys();
    void altRepaintsButtonControlsOnce();
    void keySequences_data();
    void keySequences();
    void disabledOrUnthemedDoesNothing();
    void timerDelayChanges();
    void postedMessage();
    void keyHookFeedsEachKeyPressOnce();

private:
    std::unique_ptr<TButtonForm> F;
};

void TAltBugFixTest::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY(ThemesInEffect());
}

void TAltBugFixTest::init()
{
    F = std::make_unique<TButtonForm>();
    F->form.show();
    QVERIFY(QTest::qWaitForWindowActive(&F->form));
    FlushPaints(F->form);
    F->Reset();
}

void TAltBugFixTest::virtualKeys()
{
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Tab), 9);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Backtab), 9);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Alt), 18);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Left), 37);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Up), 38);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Right), 39);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Down), 40);
    QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Egrave), 0);
}

void TAltBugFixTest::altRepaintsButtonControlsOnce()
{
    TmqALTBugFix fix(&F->form);
    QCOMPARE(fix.DelayType, dtTimer);
    QCOMPARE(fix.TimerDelayMsec, 10);
    QVERIFY(fix.Enabled);

    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    // The repaint waits for the timer.
    QVERIFY(fix.IsTimerArmed());
    for (int *count : F->ButtonCounts())
        QCOMPARE(*count, 0);
    Settle(fix);
    for (int i = 0; i < F->ButtonCounts().size(); ++i)
        QVERIFY2(*F->ButtonCounts().at(i) == 1, qPrintable(QString::number(i)));
    for (int i = 0; i < F->NeverCounts().size(); ++i)
        QVERIFY2(*F->NeverCounts().at(i) == 0, qPrintable(QString::number(i)));
}

void TAltBugFixTest::keySequences_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("settleBetween");
    QTest::addColumn<int>("repaints");

    const int alt = VirtualKey::Menu, tab = VirtualKey::Tab;
    QTest::newRow("ALT") << QList<int>{alt} << true << 1;
    QTest::newRow("ALT TAB") << QList<int>{alt, tab} << true << 2;
    QTest::newRow("ALT TAB TAB") << QList<int>{alt, tab, tab} << true << 2;
    QTest::newRow("ALT DOWN RIGHT")
        << QList<int>{alt, VirtualKey::Down, VirtualKey::Right} << true << 2;
    QTest::newRow("TAB alone") << QList<int>{tab} << true << 0;
    QTest::newRow("arrows alone") << QList<int>{37, 38, 39, 40} << true << 0;
    // Other keys neither count nor clear what ALT set.
    QTest::newRow("ALT, letter, ENTER, ESC, F1, TAB")
        << QList<int>{alt, 'A', 13, 27, 112, tab} << true << 2;
    QTest::newRow("other keys only") << QList<int>{'A', 13, 27, 112, 0} << true << 0;
    QTest::newRow("ALT ALT") << QList<int>{alt, alt} << true << 2;
    QTest::newRow("ALT TAB ALT TAB") << QList<int>{alt, tab, alt, tab} << true << 4;
    // A running timer is not restarted: keys within one delay give one repaint.
    QTest::newRow("ALT TAB at once") << QList<int>{alt, tab} << false << 1;
}

void TAltBugFixTest::keySequences()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, settleBetween);
    QFETCH(int, repaints);
    TmqALTBugFix fix(&F->form);
    for (const int key : keys) {
        fix.KeyDownCheck(&F->form, quint16(key));
        if (settleBetween)
            Settle(fix);
    }
    Settle(fix);
    QCOMPARE(F->push->Paints, repaints);
    QCOMPARE(F->groupRadio->Paints, repaints);
    QCOMPARE(F->label->Paints, 0);
}

void TAltBugFixTest::disabledOrUnthemedDoesNothing()
{
    TmqALTBugFix fix(&F->form);
    fix.Enabled = false;
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    QVERIFY(!fix.IsTimerArmed());
    // The ignored ALT must not let a later TAB through either.
    fix.Enabled = true;
    fix.KeyDownCheck(&F->form, VirtualKey::Tab);
    QVERIFY(!fix.IsTimerArmed());
    Settle(fix);
    QCOMPARE(F->push->Paints, 0);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QVERIFY(!ThemesInEffect());
    FlushPaints(F->form);
    F->Reset();
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    QVERIFY(!fix.IsTimerArmed());
    fix.KeyDownCheck(&F->form, VirtualKey::Tab);
    Settle(fix);
    QCOMPARE(F->push->Paints, 0);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY(ThemesInEffect());
    FlushPaints(F->form);
    F->Reset();
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    Settle(fix);
    QCOMPARE(F->push->Paints, 1);
}

void TAltBugFixTest::timerDelayChanges()
{
    TmqALTBugFix fix(&F->form);
    const int firstDelay = fix.TimerDelayMsec;
    fix.TimerDelayMsec = 0;
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    // No timer at all: not even one that fires at the next pass of the event loop.
    QVERIFY(!fix.IsTimerArmed());
    QCoreApplication::processEvents();
    QCOMPARE(F->push->Paints, 0);

    // The next accepted key takes the new delay: a timer started with the first delay runs out
    // before it, as the fix's own would have had it kept that delay.
    fix.TimerDelayMsec = 800;
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    QTimer firstDelayTimer;
    firstDelayTimer.setSingleShot(true);
    firstDelayTimer.start(firstDelay);
    QVERIFY(WaitFor([&firstDelayTimer] { return !firstDelayTimer.isActive(); }));
    QCOMPARE(F->push->Paints, 0);
    QVERIFY(fix.IsTimerArmed());
    Settle(fix);
    QCOMPARE(F->push->Paints, 1);
}

void TAltBugFixTest::postedMessage()
{
    TMessageCounter counter;
    F->form.installEventFilter(&counter);
    TmqALTBugFix fix(&F->form);
    fix.DelayType = dtPostMsg;
    fix.KeyDownCheck(&F->form, VirtualKey::Menu);
    QVERIFY(!fix.IsTimerArmed());
    QCOMPARE(counter.Count, 0); // posted, not sent
    QCoreApplication::sendPostedEvents(&F->form, WM_AltBugForceSelfRepaint);
    QCOMPARE(counter.Count, 1);
    QCOMPARE(int(WM_AltBugForceSelfRepaint), 0x81A9);
    // The form does not handle the message here, so nothing repainted on its own.
    QCOMPARE(F->push->Paints, 0);
    fix.ForceControlRepaint();
    QCOMPARE(F->push->Paints, 1);
    QCOMPARE(F->panelPush->Paints, 1);
    QCOMPARE(F->label->Paints, 0);

    fix.KeyDownCheck(&F->form, VirtualKey::Tab);
    fix.KeyDownCheck(&F->form, VirtualKey::Tab);
    QCoreApplication::sendPostedEvents(&F->form, WM_AltBugForceSelfRepaint);
    QCOMPARE(counter.Count, 2);
}

void TAltBugFixTest::keyHookFeedsEachKeyPressOnce()
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    auto *panel = new QWidget(&form);
    auto *button = new QPushButton(QStringLiteral("Button"), panel);
    panel->setGeometry(0, 40, 200, 50);
    auto *save = new QAction(&form);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    form.addAction(save);
    QSignalSpy saved(save, &QAction::triggered);
    auto *child = new QDialog(&form);
    auto *childEdit = new QLineEdit(child);

    QList<int> keys;
    TFormKeyHook hook(&form);
    connect(&hook, &TFormKeyHook::KeyDown, &form,
            [&](QKeyEvent *event) { keys.append(event->key()); });

    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_X);
    QCOMPARE(edit->text(), QStringLiteral("x")); // not consumed
    // F5 is ignored by the button, its panel and the form: still one key press.
    QTest::keyClick(button, Qt::Key_F5);
    QTest::keyClick(button, Qt::Key_Alt);
    QTest::keyClick(button, Qt::Key_Alt);
    // A key a control sends on by itself is no key-down of the user's.
    QKeyEvent forwarded(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &forwarded);
    QCOMPARE(keys, (QList<int>{Qt::Key_X, Qt::Key_F5, Qt::Key_Alt, Qt::Key_Alt}));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved.count(), 1);

    // Another window's keys are not the form's, even when that window is its child.
    keys.clear();
    child->show();
    QTest::keyClick(childEdit, Qt::Key_Y);
    QCOMPARE(childEdit->text(), QStringLiteral("y"));
    QVERIFY(keys.isEmpty());
}

QTEST_MAIN(TAltBugFixTest)
#include "tst_altbugfix.moc"
