// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/webapp.h"

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// The geometry rules of the web app window as plain functions, so they can be checked without a
// window. Sizes and positions are outer ones (frame included) unless a name says otherwise.

// The client size the window is designed with; it keeps it for size codes nobody knows.
inline constexpr QSize DesignClientSize{635, 510};

// The window system's limits for one side of a window. X11 cannot address more than 32767
// pixels, and a window needs at least one pixel of client area.
inline constexpr int MinClientExtent = 1;
inline constexpr int MaxWindowExtent = 32767;
// A custom or remembered size below this on either side is a sliver nobody can use (a document
// without a size reads as 0 x 0): the window takes the design size, or keeps the one it has.
inline constexpr int MinUsableExtent = 100;
// Below this a window is never held back for the desktop's sake.
inline constexpr int MinOuterCap = 4096;

// What the size code of a record asks for.
struct TSizeRule
{
    enum TKind { Maximised, Outer, Design } Kind = Design;
    QSize Size; // the outer size, for Kind == Outer
};
TSizeRule SizeRuleFor(const TWebApp &webApp);

// The position code as the window uses it: codes outside 0 to 8 count as 0 ("Center").
qint32 NormalisedPosition(qint32 windowPosition);

// The top-left corner for a position code on a screen of the given size, relative to the
// screen's own top-left. Halves are rounded toward zero; windows larger than the screen get
// negative coordinates. Never overflows, whatever the sizes.
QPoint WindowPositionFor(qint32 windowPosition, QSize screen, QSize window);

// The largest outer size the window takes on a desktop of the given size: room for presets
// larger than the screen, but never a window so large that drawing it stalls the program.
QSize MaxOuterSizeFor(QSize desktop);

// The client size that gives the wanted outer size with the given frame, bounded by the window
// system's minimum and maximum.
QSize ClientSizeFor(QSize outer, const QMargins &frame);

// A coordinate bounded to what the window system can address.
int BoundedCoordinate(qint64 value);

// True when no part of the rectangle lies on any of the screens.
bool IsOffScreen(const QRect &bounds, const QList<QRect> &screens);
