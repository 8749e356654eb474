// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <memory>

// A window with a web view over a profile of its own, as the web app window has, for the
// browsing tests. The profile outlives the page, as the engine requires.
struct TBrowsingTestWindow
{
    std::unique_ptr<QWebEngineProfile> Profile;
    std::unique_ptr<QWidget> Window;
    QWebEngineView *View = nullptr;

    explicit TBrowsingTestWindow(const QString &storageName = {})
    {
        Profile = storageName.isEmpty() ? std::make_unique<QWebEngineProfile>()
                                        : std::make_unique<QWebEngineProfile>(storageName);
        Window = std::make_unique<QWidget>();
        Window->resize(800, 600);
        auto *layout = new QVBoxLayout(Window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        View = new QWebEngineView(Window.get());
        View->setPage(new QWebEnginePage(Profile.get(), View));
        layout->addWidget(View);
    }

    ~TBrowsingTestWindow() { Window.reset(); }

    // Processes events until condition holds or timeout ms have passed; returns the condition.
    template <typename TCondition> static bool WaitFor(TCondition condition, int timeout = 10000)
    {
        const QDeadlineTimer deadline(timeout);
        while (!condition() && !deadline.hasExpired())
            QTest::qWait(20);
        return condition();
    }

    QWebEnginePage *Page() const { return View->page(); }
    // Where the page's keyboard and mouse input goes.
    QWidget *RenderWidget() const { return View->focusProxy(); }

    [[nodiscard]] bool Load(const QUrl &url)
    {
        bool finished = false, ok = false;
        auto connection = QObject::connect(View, &QWebEngineView::loadFinished,
                                           [&](bool success) { finished = true, ok = success; });
        View->load(url);
        WaitFor([&] { return finished; }, 20000);
        QObject::disconnect(connection);
        return finished && ok;
    }

    // Runs a script in the page and returns its result (invalid after a time-out).
    QVariant Js(const QString &script)
    {
        bool done = false;
        QVariant result;
        Page()->runJavaScript(script, [&](const QVariant &value) { result = value, done = true; });
        WaitFor([&] { return done; });
        return result;
    }

    void ShowAndFocus()
    {
        Window->show();
        Window->activateWindow();
        (void)QTest::qWaitForWindowExposed(Window.get());
        RenderWidget()->setFocus();
        // The focus reaches the page on its own time; keys sent before it are lost.
        WaitFor([this] { return Js(QStringLiteral("document.hasFocus()")).toBool(); });
    }
};
