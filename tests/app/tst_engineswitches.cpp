// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/engineswitches.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TEngineSwitchesTest : public QObject
{
    Q_OBJECT

private slots:
#ifndef Q_OS_WIN
    void gpuDevice_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("gpu");
        QTest::newRow("no devices") << QStringList() << false;
        QTest::newRow("empty dri folder") << QStringList{QStringLiteral("dri/")} << false;
        QTest::newRow("render node") << QStringList{QStringLiteral("dri/renderD128")} << true;
        QTest::newRow("card node only") << QStringList{QStringLiteral("dri/card0")} << true;
        QTest::newRow("nvidia device") << QStringList{QStringLiteral("nvidia0")} << true;
        QTest::newRow("nvidia control files only")
            << QStringList{QStringLiteral("nvidiactl"), QStringLiteral("nvidia-uvm"),
                           QStringLiteral("nvidia")}
            << false;
        QTest::newRow("folders named like devices")
            << QStringList{QStringLiteral("dri/card0/"), QStringLiteral("nvidia0/")} << false;
        QTest::newRow("other devices")
            << QStringList{QStringLiteral("null"), QStringLiteral("tty0"),
                           QStringLiteral("dri/by-path/")}
            << false;
    }

    void gpuDevice()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, gpu);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        for (const QString &name : files) {
            if (name.endsWith(u'/')) {
                QVERIFY(QDir(root.path()).mkpath(name));
                continue;
            }
            QVERIFY(QDir(root.path()).mkpath(QFileInfo(name).path()));
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(HasGpuDevice(root.path()), gpu);
    }
#endif

    void environment_data()
    {
        using TVariables = QMap<QByteArray, QByteArray>;
        QTest::addColumn<bool>("gpu");
        QTest::addColumn<TVariables>("current");
        QTest::addColumn<TVariables>("wanted");
        const QByteArray zygote = "--no-unsandboxed-zygote";
        const TVariables software = {{"QT_XCB_GL_INTEGRATION", "none"},
                                     {"QT_QUICK_BACKEND", "software"},
                                     {"QTWEBENGINE_CHROMIUM_FLAGS", zygote + " --disable-gpu"}};
        QTest::newRow("GPU: OpenGL kept")
            << true << TVariables() << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", zygote}};
        QTest::newRow("GPU, user's flags kept")
            << true << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=de"}}
            << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=de " + zygote}};
        QTest::newRow("GPU, flags already there")
            << true << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", zygote}} << TVariables();
        QTest::newRow("no GPU: software paths") << false << TVariables() << software;
        QTest::newRow("no GPU, user's flags kept")
            << false << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=de"}}
            << TVariables{{"QT_XCB_GL_INTEGRATION", "none"},
                          {"QT_QUICK_BACKEND", "software"},
                          {"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=de " + zygote + " --disable-gpu"}};
        QTest::newRow("no GPU, flags already there")
            << false << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu " + zygote}}
            << TVariables{{"QT_XCB_GL_INTEGRATION", "none"}, {"QT_QUICK_BACKEND", "software"}};
        // Either Qt variable alone could leave the engine's view without a way to draw.
        QTest::newRow("no GPU, user's OpenGL integration")
            << false << TVariables{{"QT_XCB_GL_INTEGRATION", "xcb_egl"}}
            << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", zygote + " --disable-gpu"}};
        QTest::newRow("no GPU, user's scene graph")
            << false << TVariables{{"QT_QUICK_BACKEND", "rhi"}}
            << TVariables{{"QTWEBENGINE_CHROMIUM_FLAGS", zygote + " --disable-gpu"}};
    }

    void environment()
    {
        using TVariables = QMap<QByteArray, QByteArray>;
        QFETCH(bool, gpu);
        QFETCH(TVariables, current);
        QFETCH(TVariables, wanted);
        const TVariables result = EngineEnvironment(gpu, current);
        QCOMPARE(result, wanted);
        // The sandbox stays as it is: no switch that turns it or its zygote off.
        for (const QByteArray &value : result) {
            for (const QByteArray &option : value.split(' ')) {
                const bool weakens =
                    option == "--no-sandbox" || option == "--no-zygote" ||
                    option == "--single-process" ||
                    (option.startsWith("--disable-") && option.contains("sandbox"));
                QVERIFY2(!weakens, value.constData());
            }
        }
    }

    void merge_data()
    {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QByteArray>("merged");
        QTest::newRow("unset") << QByteArray() << QByteArray("--disable-gpu --x=1");
        QTest::newRow("blanks only") << QByteArray("  ") << QByteArray("--disable-gpu --x=1");
        QTest::newRow("user's other switch")
            << QByteArray("--lang=de") << QByteArray("--lang=de --disable-gpu --x=1");
        QTest::newRow("already there")
            << QByteArray("--disable-gpu") << QByteArray("--disable-gpu --x=1");
        QTest::newRow("user's own value wins")
            << QByteArray("--x=7  --lang=de ") << QByteArray("--x=7  --lang=de --disable-gpu");
        QTest::newRow("a longer name is another switch")
            << QByteArray("--disable-gpu-compositing")
            << QByteArray("--disable-gpu-compositing --disable-gpu --x=1");
    }

    void merge()
    {
        QFETCH(QByteArray, flags);
        QFETCH(QByteArray, merged);
        QCOMPARE(MergeChromiumFlags(
                     flags, {QByteArrayLiteral("--disable-gpu"), QByteArrayLiteral("--x=1")}),
                 merged);
    }
};

QTEST_GUILESS_MAIN(TEngineSwitchesTest)
#include "tst_engineswitches.moc"
