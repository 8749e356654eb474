// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

// Reads the desktop's font configuration on another core while Qt connects to the display.
// Every window of the program shows text, and on Linux the first text measured waits for that
// configuration (a dozen milliseconds of parsing). Where there is nothing to read ahead of time
// (Windows, a build without fontconfig) the object does nothing. Make it after the last setenv
// of the start: fontconfig reads the environment meanwhile, and glibc's setenv may free the table
// that a getenv on another thread is reading.
class TFontPreload
{
public:
    TFontPreload();
    ~TFontPreload();
    TFontPreload(const TFontPreload &) = delete;
    TFontPreload &operator=(const TFontPreload &) = delete;

    // Waits for the reading to end; call it before the first text is measured, so that Qt does
    // not read the configuration a second time meanwhile.
    void Wait();

private:
    std::thread FThread;
};
