// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/windowgeometry.h"

#include <algorithm>

namespace {
qint64 Half(qint64 value)
{
    return value / 2; // C++ division rounds toward zero
}
} // namespace

TSizeRule SizeRuleFor(const TWebApp &webApp)
{
    if (webApp.WindowSize == wsFullScreen)
        return {TSizeRule::Maximised, {}};
    if (webApp.WindowSize == wsCustom) {
        if (webApp.Width < MinUsableExtent || webApp.Height < MinUsableExtent)
            return {TSizeRule::Design, {}};
        return {TSizeRule::Outer, QSize(webApp.Width, webApp.Height)};
    }
    if (!IsSizePreset(webApp.WindowSize))
        return {TSizeRule::Design, {}};
    const TSizePreset preset = SizePresets(webApp.WindowSize);
    if (webApp.Flip)
        return {TSizeRule::Outer, QSize(preset.Height, preset.Width)};
    return {TSizeRule::Outer, QSize(preset.Width, preset.Height)};
}

qint32 NormalisedPosition(qint32 windowPosition)
{
    return windowPosition < 0 || windowPosition > 8 ? 0 : windowPosition;
}

QPoint WindowPositionFor(qint32 windowPosition, QSize screen, QSize window)
{
    const qint64 right = qint64(screen.width()) - window.width();
    const qint64 bottom = qint64(screen.height()) - window.height();
    qint64 left = 0;
    qint64 top = 0;
    switch (NormalisedPosition(windowPosition)) {
    case 0:
        left = Half(right), top = Half(bottom);
        break;
    case 1:
        break;
    case 2:
        left = Half(right);
        break;
    case 3:
        left = right;
        break;
    case 4:
        top = Half(bottom);
        break;
    case 5:
        left = right, top = Half(bottom);
        break;
    case 6:
        top = bottom;
        break;
    case 7:
        left = Half(right), top = bottom;
        break;
    case 8:
        left = right, top = bottom;
        break;
    }
    return {BoundedCoordinate(left), BoundedCoordinate(top)};
}

QSize MaxOuterSizeFor(QSize desktop)
{
    const auto side = [](int extent) {
        return int(std::clamp<qint64>(2 * qint64(extent), MinOuterCap, MaxWindowExtent));
    };
    return {side(desktop.width()), side(desktop.height())};
}

QSize ClientSizeFor(QSize outer, const QMargins &frame)
{
    const auto side = [](qint64 outerExtent, qint64 frameExtent) {
        const qint64 maxClient = std::max<qint64>(MinClientExtent, MaxWindowExtent - frameExtent);
        return int(std::clamp<qint64>(outerExtent - frameExtent, MinClientExtent, maxClient));
    };
    return {side(outer.width(), qint64(frame.left()) + frame.right()),
            side(outer.height(), qint64(frame.top()) + frame.bottom())};
}

int BoundedCoordinate(qint64 value)
{
    return int(std::clamp<qint64>(value, -MaxWindowExtent, MaxWindowExtent));
}

bool IsOffScreen(const QRect &bounds, const QList<QRect> &screens)
{
    return std::none_of(screens.begin(), screens.end(),
                        [&](const QRect &screen) { return screen.intersects(bounds); });
}
