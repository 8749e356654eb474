// SPDX-License-Identifier: GPL-3.0-or-later
// Reader and writer of profile files: "[Section]" lines followed by "Key=Value" lines.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// Reads an integer by the document's rules: decimal with optional leading blanks and sign, or
// hexadecimal after "$" or "0x". Anything else (empty, trailing characters, outside the 32-bit
// signed range) gives nullopt, so each caller applies its own default.
std::optional<qint32> ParseProfileInteger(QByteArrayView text);

// A profile file held as its lines. Reading follows the lenient rules of the format; writing
// changes only the line of the key it sets (or adds lines), so every other byte of the file -
// foreign sections and keys, comments, blank lines, order and line ends - survives a save.
class TProfileFile
{
public:
    // Documents are tiny. Anything beyond this is not a document, and reading stops there so
    // that a huge or endless file cannot stall the program.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
    // A value is read into a buffer of this many characters, its terminator included.
    static constexpr qsizetype ValueBufferSize = 2048;

    enum class TLoadResult {
        Loaded,    // the whole file was read
        Missing,   // no such file: the profile is empty
        Truncated, // read up to MaxFileSize; the rest is treated as absent
        Failed,    // not a regular file, or it could not be opened or read: the profile is empty
    };

    TLoadResult Load(const QString &fileName);

    void SetText(QByteArrayView text);
    QByteArray Text() const;

    // The value as the format reads it (blanks trimmed, one pair of matching quotes removed,
    // cut to ValueBufferSize - 1 characters), or nullopt when the section or key is absent.
    std::optional<QByteArray> ReadValue(QByteArrayView section, QByteArrayView key) const;
    QByteArray ReadString(QByteArrayView section, QByteArrayView key,
                          const QByteArray &defaultValue) const;
    qint32 ReadInteger(QByteArrayView section, QByteArrayView key, qint32 defaultValue) const;
    bool ReadBool(QByteArrayView section, QByteArrayView key, bool defaultValue) const;

    // Replaces the value of a present key where it stands, or adds the key at the end of its
    // section, or adds the section at the end of the file.
    void WriteString(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void WriteInteger(QByteArrayView section, QByteArrayView key, qint32 value);
    void WriteBool(QByteArrayView section, QByteArrayView key, bool value);

private:
    struct TLine
    {
        QByteArray Text; // without its line end
        QByteArray End;  // "\r\n", "\n", or empty for a last line without one
    };

    // Index of the first line of the section's header, or -1.
    qsizetype FindSection(QByteArrayView section) const;
    // One past the section's last line (the next header, or the end of the file).
    qsizetype SectionEnd(qsizetype header) const;
    qsizetype FindKey(qsizetype header, QByteArrayView key) const;
    void InsertLine(qsizetype index, const QByteArray &text);
    QByteArray NewLineEnd() const;

    QByteArray FByteOrderMark;
    QList<TLine> FLines;
};
