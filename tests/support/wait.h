// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way tests wait: for a condition, never for a fixed time. The limits are generous on
// purpose: a passing test never reaches them, and a loaded machine (sanitizers, tests run in
// parallel beside a build) is many times slower than an idle one.

#include <QTest>

namespace TTimeout {
// Something within the test's own process: a signal, a timer, a window shown or closed.
inline constexpr int Event = 10'000;
// The web engine: a page loaded from the test server, a script's answer, a download.
inline constexpr int Page = 60'000;
// A program the test started, from its start to its end.
inline constexpr int Program = 120'000;
} // namespace TTimeout

// Processes events until condition holds or timeout ms have passed; returns the condition.
template <typename TCondition>
[[nodiscard]] bool WaitFor(TCondition condition, int timeout = TTimeout::Event)
{
    return QTest::qWaitFor(condition, timeout);
}
