// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: a scratch folder for the documents they hand to LoadWebApp and
// SaveWebApp, and a check that stops the run with the failing input saved by libFuzzer.

#include "document/webapp.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Prints what was broken and aborts, which libFuzzer reports as a crash with the input saved.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "\nBROKEN: %s\n  %s\n", #condition,                               \
                         QByteArray(detail).constData());                                          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// A file in a private folder that lives as long as the process (on tmpfs when TMPDIR says so).
inline QString ScratchPath(const char *name)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/lumivane-fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "no scratch folder under %s\n", qPrintable(QDir::tempPath()));
        std::abort();
    }
    return folder.filePath(QString::fromLatin1(name));
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), path.toUtf8());
    FUZZ_CHECK(file.write(bytes) == bytes.size(), path.toUtf8());
}

inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path.toUtf8());
    return file.readAll();
}

// One line per field, for the report of a broken property.
inline QByteArray Describe(const TWebApp &w)
{
    QByteArray text;
    auto add = [&](const char *name, const QByteArray &value) {
        text += "\n    ";
        text += name;
        text += '=';
        text += value.left(80).toPercentEncoding(" =[];#'\"$-");
        if (value.size() > 80)
            text += "... (" + QByteArray::number(value.size()) + " bytes)";
    };
    add("Id", w.Id);
    add("URL", w.URL);
    add("Mimic", w.Mimic);
    add("WindowStyle", QByteArray::number(w.WindowStyle));
    add("WindowSize", QByteArray::number(w.WindowSize));
    add("WindowPosition", QByteArray::number(w.WindowPosition));
    add("Width", QByteArray::number(w.Width));
    add("Height", QByteArray::number(w.Height));
    add("Flip", QByteArray::number(w.Flip));
    add("StayOnTop", QByteArray::number(w.StayOnTop));
    add("RememberLastPosition", QByteArray::number(w.RememberLastPosition));
    add("RememberLastSize", QByteArray::number(w.RememberLastSize));
    add("ShowControlPanel", QByteArray::number(w.ShowControlPanel));
    return text;
}
