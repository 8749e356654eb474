// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fontpreload.h"

#ifdef LUMIVANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

TFontPreload::TFontPreload()
{
#ifdef LUMIVANE_HAVE_FONTCONFIG
    // FcInit loads the configuration once per process; Qt's own call later finds it loaded.
    FThread = std::thread([] { FcInit(); });
#endif
}

TFontPreload::~TFontPreload()
{
    Wait();
}

void TFontPreload::Wait()
{
    if (FThread.joinable())
        FThread.join();
}
