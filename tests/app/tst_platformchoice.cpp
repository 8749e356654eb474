// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platformchoice.h"

#include <QTest>

namespace {
// What ApplyPlatformChoice left in the environment before and after the application object was
// made (main below runs it in a Wayland session with an X server).
QByteArray BeforeApplication;
QByteArray AfterApplication;
} // namespace

class TPlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QByteArray>("qtQpaPlatform");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("X11 session") << QByteArray() << QByteArray() << QByteArray("x11")
                                     << QByteArray(":0") << QByteArray();
        QTest::newRow("Wayland with XWayland")
            << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
            << QByteArray("xcb");
        QTest::newRow("Wayland display only")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray(":1")
            << QByteArray("xcb");
        QTest::newRow("Wayland session type only")
            << QByteArray() << QByteArray() << QByteArray("Wayland") << QByteArray(":0")
            << QByteArray("xcb");
        QTest::newRow("Wayland without X server")
            << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray()
            << QByteArray();
        QTest::newRow("user asked for Wayland")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
            << QByteArray(":0") << QByteArray();
        QTest::newRow("user asked for a list")
            << QByteArray("wayland;xcb") << QByteArray("wayland-0") << QByteArray("wayland")
            << QByteArray(":0") << QByteArray();
        QTest::newRow("user asked for offscreen")
            << QByteArray("offscreen") << QByteArray("wayland-0") << QByteArray()
            << QByteArray(":0") << QByteArray();
        QTest::newRow("empty choice is no choice")
            << QByteArray("") << QByteArray("wayland-0") << QByteArray("wayland")
            << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("console") << QByteArray() << QByteArray() << QByteArray("tty")
                                 << QByteArray() << QByteArray();
    }

    void choice()
    {
        QFETCH(QByteArray, qtQpaPlatform);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, sessionType);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QCOMPARE(ChooseQtPlatform({qtQpaPlatform, waylandDisplay, sessionType, display}), platform);
    }

    // The choice reaches Qt through the environment and does not outlive the application
    // object's construction, so programs we start see the session as it is.
    void appliedOnlyForOurOwnStart()
    {
        QCOMPARE(BeforeApplication, QByteArray("xcb"));
        QCOMPARE(AfterApplication, QByteArray());
    }
};

int main(int argc, char **argv)
{
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("DISPLAY", ":99");
    ApplyPlatformChoice();
    BeforeApplication = qgetenv("QT_QPA_PLATFORM");
    // A core application reads no platform, so no X server is needed to make it.
    QCoreApplication app(argc, argv);
    AfterApplication = qgetenv("QT_QPA_PLATFORM");
    TPlatformChoiceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platformchoice.moc"
