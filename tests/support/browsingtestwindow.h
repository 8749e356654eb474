// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/wait.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <memory>
#include <optional>

// Runs a script in the page and returns its result (invalid after a time-out).
inline QVariant RunScript(QWebEnginePage *page, const QString &script)
{
    // Shared with the callback, which may still come after a time-out.
    const auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [answer](const QVariant &value) { *answer = value; });
    (void)WaitFor([&] { return answer->has_value(); }, TTimeout::Page);
    return answer->value_or(QVariant());
}

// Waits until the page takes the keyboard. The engine drops a new page's input until the page
// has drawn itself, and a dropped key goes on to the window as one the page left alone; so a key
// that nothing acts on (Shift) is sent until the page has seen one.
inline bool WaitForPageInput(QWebEngineView *view)
{
    RunScript(view->page(), QStringLiteral("window.testKeySeen = false; addEventListener("
                                           "'keydown', () => { window.testKeySeen = true; }, "
                                           "{capture: true, once: true})"));
    return WaitFor(
        [view] {
            QTest::keyClick(view->focusProxy(), Qt::Key_Shift);
            return RunScript(view->page(), QStringLiteral("window.testKeySeen")).toBool();
        },
        TTimeout::Page);
}

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

    QWebEnginePage *Page() const { return View->page(); }
    // Where the page's keyboard and mouse input goes.
    QWidget *RenderWidget() const { return View->focusProxy(); }

    [[nodiscard]] bool Load(const QUrl &url)
    {
        bool finished = false, ok = false;
        auto connection = QObject::connect(View, &QWebEngineView::loadFinished,
                                           [&](bool success) { finished = true, ok = success; });
        View->load(url);
        (void)WaitFor([&] { return finished; }, TTimeout::Page);
        QObject::disconnect(connection);
        return finished && ok;
    }

    QVariant Js(const QString &script) { return RunScript(Page(), script); }

    // Shows the window and gives the page the keyboard; false when the page never took it.
    bool ShowAndFocus()
    {
        Window->show();
        Window->activateWindow();
        (void)QTest::qWaitForWindowExposed(Window.get());
        RenderWidget()->setFocus();
        return WaitForPageInput(View);
    }
};
