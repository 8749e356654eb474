// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The open and save dialogs of the program. Tests set the next answer instead of driving a
// modal dialog, and read back how the last dialog was set up.
class TFileDialog
{
public:
    struct TOptions
    {
        bool Save = false;
        QString Title;
        QString Directory;
        QString Filter;
        QString DefaultSuffix;
    };

    // An empty result means the user cancelled.
    static QString getOpenFileName(QWidget *parent, const QString &title, const QString &directory,
                                   const QString &filter, const QString &defaultSuffix);
    // Asks before overwriting an existing file.
    static QString getSaveFileName(QWidget *parent, const QString &title, const QString &directory,
                                   const QString &filter, const QString &defaultSuffix);

    // The next dialog returns this at once (an empty text: cancelled) and is not shown.
    static void setNextFileName(const QString &fileName);
    static void clearNextFileName();
    static TOptions lastOptions();

private:
    static QString run(QWidget *parent, const TOptions &options);
};
