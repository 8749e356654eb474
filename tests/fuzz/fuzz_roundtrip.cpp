// SPDX-License-Identifier: GPL-3.0-or-later
// Read-modify-write over arbitrary bytes: the input is taken as an existing document, a record
// derived from the input is saved into it, and the document is loaded again.
//
// Properties checked:
// - the thirteen keys read back exactly as saved;
// - every foreign line survives byte for byte and in order. The writer may change only the line
//   from which the reader takes each of the thirteen keys (the first line of that key in the
//   first Configuration section); every other line is foreign: other sections and their keys,
//   later duplicates, comments, blank lines, garbage. Each line keeps its own line end, except
//   that a last line without one may gain one when something is appended after it (a last
//   line ending in a bare CR then ends in CRLF);
// - what the writer adds is only key lines of the thirteen keys (at most one per key) and at
//   most one Configuration section header;
// - saving the same record again changes no byte.

#include "document/webapp.h"
#include "fuzzsupport.h"

#include <QList>

#include <array>
#include <cstdint>
#include <random>

namespace {

const std::array<QByteArrayView, 13> KeyNames = {"Id",
                                                 "URL",
                                                 "Mimic",
                                                 "WindowStyle",
                                                 "WindowSize",
                                                 "WindowPosition",
                                                 "Width",
                                                 "Height",
                                                 "Flip",
                                                 "StayOnTop",
                                                 "RememberLastPosition",
                                                 "RememberLastSize",
                                                 "ShowControlPanel"};

struct TLine
{
    QByteArray Text; // without its line end
    QByteArray End;  // "\n", "\r\n" or empty for a last line without one
};

QList<TLine> SplitLines(const QByteArray &bytes)
{
    QList<TLine> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        TLine line;
        if (end < 0) {
            line.Text = bytes.mid(start);
            start = bytes.size();
        } else {
            line.Text = bytes.mid(start, end - start);
            line.End = "\n";
            start = end + 1;
            if (line.Text.endsWith('\r')) {
                line.Text.chop(1);
                line.End = "\r\n";
            }
        }
        lines.append(line);
    }
    return lines;
}

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

// Blanks are spaces and tabs.
QByteArray Trimmed(QByteArray text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

QByteArray Meaning(const TLine &line)
{
    return Trimmed(line.Text);
}

// A section header is a line that starts with '[' and holds a ']'.
bool IsSection(const QByteArray &meaning)
{
    return meaning.startsWith('[') && meaning.contains(']');
}

QByteArray SectionName(const QByteArray &meaning)
{
    return Trimmed(meaning.mid(1, meaning.indexOf(']') - 1));
}

// Index into KeyNames of the key a line sets, or -1.
int KeyOf(const QByteArray &meaning)
{
    if (IsSection(meaning))
        return -1;
    const qsizetype equals = meaning.indexOf('=');
    if (equals < 0)
        return -1;
    const QByteArray name = Trimmed(meaning.left(equals));
    for (int k = 0; k < int(KeyNames.size()); ++k)
        if (QByteArrayView(name).compare(KeyNames[k], Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

// Indexes of the lines through which the keys of the first Configuration section are read.
QList<qsizetype> KeyLines(const QList<TLine> &lines)
{
    QList<qsizetype> result;
    std::array<bool, 13> seen{};
    bool inSection = false, sectionDone = false;
    for (qsizetype i = 0; i < lines.size() && !sectionDone; ++i) {
        const QByteArray meaning = Meaning(lines[i]);
        if (IsSection(meaning)) {
            if (inSection)
                sectionDone = true;
            else
                inSection = SectionName(meaning).compare("Configuration", Qt::CaseInsensitive) == 0;
            continue;
        }
        const int key = inSection ? KeyOf(meaning) : -1;
        if (key >= 0 && !seen[key]) {
            seen[key] = true;
            result.append(i);
        }
    }
    return result;
}

// Text values the document can hold: no line breaks or NULs, no blanks at either end, not
// enclosed in a pair of quotes, at most 2047 bytes.
QByteArray RandomText(std::mt19937 &random)
{
    static const QByteArray alphabet =
        QByteArrayLiteral("abcXYZ019 =[];#'\"$-x:/?&%.\t\x01\x7F\x80\xC3\xA9\xEF\xBB\xBF\xFF\0");
    std::uniform_int_distribution<int> shape(0, 9);
    const int kind = shape(random);
    qsizetype length = kind < 2 ? 0 : kind < 8 ? random() % 40 : random() % 2300;
    QByteArray text;
    for (qsizetype i = 0; i < length; ++i)
        text += alphabet[qsizetype(random() % alphabet.size())];
    text = text.left(2047).trimmed();
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text.back() = 'q';
    return text;
}

TWebApp RandomRecord(std::mt19937 &random)
{
    auto integer = [&]() -> qint32 {
        switch (random() % 4) {
        case 0:
            return qint32(random() % 10);
        case 1:
            return -qint32(random() % 100);
        default:
            return qint32(random());
        }
    };
    TWebApp w;
    w.Id = RandomText(random);
    w.URL = RandomText(random);
    w.Mimic = RandomText(random);
    w.WindowStyle = integer();
    w.WindowSize = integer();
    w.WindowPosition = integer();
    w.Width = integer();
    w.Height = integer();
    w.Flip = random() & 1;
    w.StayOnTop = random() & 1;
    w.RememberLastPosition = random() & 1;
    w.RememberLastSize = random() & 1;
    w.ShowControlPanel = random() & 1;
    return w;
}

QByteArray Show(const QList<TLine> &lines)
{
    QByteArray text;
    for (const TLine &line : lines)
        text += "\n    |" + line.Text.left(100).toPercentEncoding(" =[];#'\"$-") + "| " +
                (line.End.isEmpty() ? "(no end)"
                 : line.End == "\n" ? "LF"
                                    : "CRLF");
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray before(reinterpret_cast<const char *>(data), qsizetype(size));
    std::seed_seq seed(before.begin(), before.end());
    std::mt19937 random(seed);
    const TWebApp saved = RandomRecord(random);

    static const QString path = ScratchPath("roundtrip.webapp");
    WriteBytes(path, before);
    SaveWebApp(path, saved);
    const QByteArray after = ReadBytes(path);

    const TWebApp loaded = LoadWebApp(path);
    FUZZ_CHECK(loaded == saved, "read back differently:" + Describe(saved) + Describe(loaded));

    // Foreign lines of the old document, in order, must be found in the new one.
    // A byte-order mark stays in front and is not part of the first line.
    const bool hadMark = before.startsWith(ByteOrderMark);
    FUZZ_CHECK(after.startsWith(ByteOrderMark) == hadMark, "byte-order mark added or lost");
    const QList<TLine> oldLines = SplitLines(hadMark ? before.mid(3) : before);
    const QList<TLine> newLines = SplitLines(hadMark ? after.mid(3) : after);
    const QList<qsizetype> keyLines = KeyLines(oldLines);
    QList<bool> matched(newLines.size(), false);
    qsizetype next = 0;
    for (qsizetype i = 0; i < oldLines.size(); ++i) {
        if (keyLines.contains(i))
            continue;
        const TLine &line = oldLines[i];
        // A last line without a line end may gain one; its bytes stay in front of it (so a
        // last line ending in a bare CR then reads as one ending in CRLF).
        const bool mayGainEnd = i == oldLines.size() - 1 && line.End.isEmpty();
        auto same = [&](const TLine &other) {
            if (other.Text == line.Text && other.End == line.End)
                return true;
            const QByteArray bytes = other.Text + other.End;
            const QByteArray gained = bytes.mid(line.Text.size());
            return mayGainEnd && bytes.startsWith(line.Text) &&
                   (gained == "\n" || gained == "\r\n");
        };
        while (next < newLines.size() && !same(newLines[next]))
            ++next;
        FUZZ_CHECK(next < newLines.size(),
                   "foreign line " + QByteArray::number(i + 1) + " lost:" + Show({line}) +
                       "\n  old:" + Show(oldLines) + "\n  new:" + Show(newLines));
        matched[next++] = true;
    }

    // Everything else in the new document is what the writer wrote.
    std::array<int, 13> written{};
    int headers = 0;
    for (qsizetype i = 0; i < newLines.size(); ++i) {
        if (matched[i])
            continue;
        const QByteArray meaning = Meaning(newLines[i]);
        const int key = KeyOf(meaning);
        if (key >= 0) {
            FUZZ_CHECK(++written[key] == 1, "key written twice:" + Show(newLines));
        } else {
            FUZZ_CHECK(IsSection(meaning) &&
                           SectionName(meaning).compare("Configuration", Qt::CaseInsensitive) == 0,
                       "unexpected line " + QByteArray::number(i + 1) +
                           " written:" + Show({newLines[i]}) + "\n  old:" + Show(oldLines) +
                           "\n  new:" + Show(newLines));
            FUZZ_CHECK(++headers == 1, "section written twice:" + Show(newLines));
        }
    }

    // Saving the same record again is a no-op on the bytes.
    SaveWebApp(path, saved);
    FUZZ_CHECK(ReadBytes(path) == after, "a second identical save changed the document");
    return 0;
}
