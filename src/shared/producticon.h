// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The program's icon (every window's and the About window's logo) as images of the sizes a
// window's icon is drawn at: 96, 48 and 32 pixels. Safe on any thread, so that start-up can
// decode them on another core.
QList<QImage> ProductIconImages();

// The program's icon, made of images from ProductIconImages.
QIcon ProductIcon(const QList<QImage> &images = ProductIconImages());
