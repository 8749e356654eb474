// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/profilefile.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr QByteArrayView Utf8ByteOrderMark("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Names compare without regard to the case of the ASCII letters; other bytes must be equal,
// since their case depends on a code page the file does not name.
bool SameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// The name of a "[Name]" line, or nullopt for any other line.
std::optional<QByteArrayView> SectionName(QByteArrayView line)
{
    const QByteArrayView text = Trimmed(line);
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return Trimmed(text.sliced(1, close - 1));
}

bool IsComment(QByteArrayView line)
{
    return Trimmed(line).startsWith(';');
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<qint32> ParseProfileInteger(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;

    // One past the largest magnitude: the sign decides whether it is still in range.
    constexpr qint64 limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexDigit(text[i])
                                     : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    if (negative)
        return qint32(-magnitude);
    if (magnitude == limit)
        return std::nullopt;
    return qint32(magnitude);
}

TProfileFile::TLoadResult TProfileFile::Load(const QString &fileName)
{
    SetText({});
    if (fileName.isEmpty())
        return TLoadResult::Missing;

    QFile file;
#ifdef Q_OS_UNIX
    // Open without blocking (a FIFO would wait for a writer) and read nothing but regular files.
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? TLoadResult::Missing : TLoadResult::Failed;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return TLoadResult::Failed;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return TLoadResult::Failed;
    }
#else
    const QFileInfo info(fileName);
    if (!info.exists())
        return TLoadResult::Missing;
    file.setFileName(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return TLoadResult::Failed;
#endif

    // Read what the file holds, one byte past the bound at most. The first step is sized by the
    // file, so a small document does not cost a buffer of the bound's size.
    QByteArray bytes;
    qint64 step = qBound<qint64>(1, file.size() + 1, MaxFileSize + 1);
    while (bytes.size() <= MaxFileSize) {
        const qint64 wanted = qMin<qint64>(step, MaxFileSize + 1 - bytes.size());
        const QByteArray chunk = file.read(wanted);
        bytes += chunk;
        if (chunk.size() < wanted) // the end of the file
            break;
        step = 64 * 1024;
    }
    if (file.error() != QFileDevice::NoError)
        return TLoadResult::Failed;
    const bool truncated = bytes.size() > MaxFileSize;
    if (truncated)
        bytes.truncate(MaxFileSize);
    SetText(bytes);
    return truncated ? TLoadResult::Truncated : TLoadResult::Loaded;
}

void TProfileFile::SetText(QByteArrayView text)
{
    FByteOrderMark.clear();
    FLines.clear();
    // Some editors start a file with a UTF-8 byte-order mark; without skipping it the first
    // section header would not be recognised. It is kept for writing.
    if (text.startsWith(Utf8ByteOrderMark)) {
        FByteOrderMark = Utf8ByteOrderMark.toByteArray();
        text = text.sliced(Utf8ByteOrderMark.size());
    }
    while (!text.isEmpty()) {
        const qsizetype newLine = text.indexOf('\n');
        if (newLine < 0) {
            FLines.append({text.toByteArray(), {}});
            break;
        }
        QByteArrayView line = text.first(newLine);
        if (line.endsWith('\r'))
            FLines.append({line.chopped(1).toByteArray(), QByteArrayLiteral("\r\n")});
        else
            FLines.append({line.toByteArray(), QByteArrayLiteral("\n")});
        text = text.sliced(newLine + 1);
    }
}

QByteArray TProfileFile::Text() const
{
    QByteArray text = FByteOrderMark;
    for (const TLine &line : FLines)
        text += line.Text + line.End;
    return text;
}

qsizetype TProfileFile::FindSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < FLines.size(); ++i) {
        const auto name = SectionName(FLines[i].Text);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype TProfileFile::SectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < FLines.size() && !SectionName(FLines[i].Text))
        ++i;
    return i;
}

qsizetype TProfileFile::FindKey(qsizetype header, QByteArrayView key) const
{
    const qsizetype end = SectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const QByteArray &line = FLines[i].Text;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || IsComment(line))
            continue;
        if (SameName(Trimmed(QByteArrayView(line).first(equals)), key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> TProfileFile::ReadValue(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype header = FindSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype index = FindKey(header, key);
    if (index < 0)
        return std::nullopt;
    const QByteArray &line = FLines[index].Text;
    QByteArrayView value = Trimmed(QByteArrayView(line).sliced(line.indexOf('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.first(qMin(value.size(), ValueBufferSize - 1)).toByteArray();
}

QByteArray TProfileFile::ReadString(QByteArrayView section, QByteArrayView key,
                                    const QByteArray &defaultValue) const
{
    return ReadValue(section, key).value_or(defaultValue);
}

qint32 TProfileFile::ReadInteger(QByteArrayView section, QByteArrayView key,
                                 qint32 defaultValue) const
{
    const auto value = ReadValue(section, key);
    if (!value)
        return defaultValue;
    return ParseProfileInteger(*value).value_or(defaultValue);
}

bool TProfileFile::ReadBool(QByteArrayView section, QByteArrayView key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QByteArray TProfileFile::NewLineEnd() const
{
    // New lines follow the file's own line ends; a new file gets CRLF, as the platform's
    // profile functions write it.
    for (const TLine &line : FLines) {
        if (!line.End.isEmpty())
            return line.End;
    }
    return QByteArrayLiteral("\r\n");
}

void TProfileFile::InsertLine(qsizetype index, const QByteArray &text)
{
    const QByteArray end = NewLineEnd();
    if (index > 0 && FLines[index - 1].End.isEmpty())
        FLines[index - 1].End = end;
    FLines.insert(index, {text, end});
}

void TProfileFile::WriteString(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    // A line break would end the value early and turn its rest into lines of their own.
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            value = value.first(i);
            break;
        }
    }
    const qsizetype header = FindSection(section);
    if (header < 0) {
        InsertLine(FLines.size(), '[' + section.toByteArray() + ']');
        InsertLine(FLines.size(), key.toByteArray() + '=' + value.toByteArray());
        return;
    }
    const qsizetype index = FindKey(header, key);
    if (index >= 0) {
        // Keep the key as it is spelled and spaced; only the value changes.
        QByteArray &line = FLines[index].Text;
        qsizetype start = line.indexOf('=') + 1;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        line = line.first(start) + value.toByteArray();
        return;
    }
    // At the end of the section, but before the blank lines that separate it from the next one.
    qsizetype end = SectionEnd(header);
    while (end > header + 1 && Trimmed(FLines[end - 1].Text).isEmpty())
        --end;
    InsertLine(end, key.toByteArray() + '=' + value.toByteArray());
}

void TProfileFile::WriteInteger(QByteArrayView section, QByteArrayView key, qint32 value)
{
    WriteString(section, key, QByteArray::number(value));
}

void TProfileFile::WriteBool(QByteArrayView section, QByteArrayView key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}
