#pragma once

#include <QIcon>

// The program's icon (every window's and the About window's logo), in the sizes it is drawn at:
// 256, 128, 96, 48 and 32 pixels.
QIcon ProductIcon();
