// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The settings record of one web app. Texts are 8-bit, exactly as stored in the document;
// they become QString only where they meet the user interface or the browser.
struct TWebApp
{
    QByteArray Id;
    QByteArray URL;
    QByteArray Mimic;
    qint32 WindowStyle = 0;
    qint32 WindowSize = 0;
    qint32 WindowPosition = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    bool Flip = false;
    bool StayOnTop = false;
    bool RememberLastPosition = false;
    bool RememberLastSize = false;
    bool ShowControlPanel = false;

    friend bool operator==(const TWebApp &, const TWebApp &) = default;
};

// Codes of WindowStyle, WindowSize and WindowPosition are indexes into these lists, which the
// designer shows as they are.
const QStringList &WindowStyleTexts();    // "Normal", "Dialog", "Mini (Resizeable)", "Mini", "None"
const QStringList &WindowSizeTexts();     // "Full Screen", "Custom", then the eight presets
const QStringList &WindowPositionTexts(); // "Center", "Top-Left", ... "Bottom-Right"

// The eight Mimic values that give the site another user agent, in the order they are compared:
// "Windows Phone 7", "iPhone", "iPad", "Internet Explorer 10", ... "Internet Explorer 6".
const QStringList &MimicTexts();
// The index in MimicTexts of the value a mimic selects, its ASCII letters compared without case
// and nothing trimmed; -1 when it selects none and the engine keeps its own user agent.
int MimicIndex(const QByteArray &mimic);

enum : qint32 {
    wsFullScreen = 0,
    wsCustom = 1,
    wsFirstPreset = 2,
    wsLastPreset = 9,
};

struct TSizePreset
{
    qint32 Width;
    qint32 Height;
};

// The eight preset sizes for WindowSize codes 2 to 9, before any Flip; other codes give 0 x 0.
bool IsSizePreset(qint32 windowSize);
TSizePreset SizePresets(qint32 windowSize);

// Reads the thirteen keys of section Configuration; whatever is missing or unreadable takes its
// default. Never throws.
TWebApp LoadWebApp(const QString &fileName);

// Writes the thirteen keys into section Configuration, keeping every other line of an existing
// file. The file is replaced atomically; on failure it is left as it was and TLumivaneError
// "Unable to write to <path>" is thrown.
void SaveWebApp(const QString &fileName, const TWebApp &webApp);
