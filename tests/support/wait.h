// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way tests wait: for a condition, never for a fixed time. The limits are generous on
// purpose: a passing test never reaches them, and a loaded machine (sanitizers, tests run in
// parallel beside a build) is many times slower than an idle one.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

namespace TTimeout {
// Something within the test's own process: a signal, a timer, a window shown or closed.
inline constexpr int Event = 10'000;
// The web engine: a page loaded from the test server, a script's answer, a download.
inline constexpr int Page = 60'000;
// A program the test started, from its start to its end.
inline constexpr int Program = 120'000;
} // namespace TTimeout

// Handles events until condition holds or timeout ms have passed; returns the condition. It
// sleeps only until the next event: the web engine's work reaches this thread as a long chain
// of events, which a wait that handles one round of them per sleep (QTest::qWaitFor) slows
// down many times over.
template <typename TCondition>
[[nodiscard]] bool WaitFor(TCondition condition, int timeout = TTimeout::Event)
{
    if (condition())
        return true;
    const QDeadlineTimer deadline(timeout);
    // Wakes the wait for conditions that no event announces (a file, a child process).
    QTimer tick;
    tick.start(10);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (condition())
            return true;
    } while (!deadline.hasExpired());
    return condition();
}
