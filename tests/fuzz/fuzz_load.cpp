// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a document: LoadWebApp and the integer reader must neither crash nor hang,
// and what they read must keep the reading rules that do not depend on the bytes given.

#include "document/profilefile.h"
#include "document/webapp.h"
#include "fuzzsupport.h"

#include <cstdint>
#include <limits>

namespace {

bool AllOf(QByteArrayView text, bool (*accept)(char))
{
    for (char c : text)
        if (!accept(c))
            return false;
    return !text.isEmpty();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void CheckInteger(QByteArrayView text)
{
    const std::optional<qint32> value = ParseProfileInteger(text);
    if (value) {
        // Whatever is read back as a number is a number that reads back the same in decimal.
        const QByteArray decimal = QByteArray::number(*value);
        FUZZ_CHECK(ParseProfileInteger(decimal) == value, "decimal " + decimal);
    }

    // Plain decimal: read exactly when it fits in 32 bits.
    QByteArrayView digits = text;
    if (!digits.isEmpty() && (digits.front() == '-' || digits.front() == '+'))
        digits = digits.sliced(1);
    if (AllOf(digits, IsDigit) && digits.size() < 18) {
        const qint64 wide = QByteArray(text.data(), text.size()).toLongLong();
        const bool fits = wide >= std::numeric_limits<qint32>::min() &&
                          wide <= std::numeric_limits<qint32>::max();
        FUZZ_CHECK(value.has_value() == fits, text.toByteArray());
        FUZZ_CHECK(!fits || *value == wide, text.toByteArray());
    }

    // Hexadecimal after "$" or "0x": read exactly when it is at most 0x7FFFFFFF.
    for (QByteArrayView prefix : {QByteArrayView("$"), QByteArrayView("0x")}) {
        if (!text.startsWith(prefix))
            continue;
        const QByteArrayView hex = text.sliced(prefix.size());
        if (!AllOf(hex, IsHexDigit) || hex.size() > 15)
            continue;
        const qint64 wide = QByteArray(hex.data(), hex.size()).toLongLong(nullptr, 16);
        if (wide <= std::numeric_limits<qint32>::max()) {
            FUZZ_CHECK(value.has_value() && *value == wide, text.toByteArray());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The integer reader over the whole input and over each value-like piece of it.
    CheckInteger(bytes);
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0)
            CheckInteger(QByteArrayView(line).sliced(equals + 1));
    }

    static const QString path = ScratchPath("load.webapp");
    WriteBytes(path, bytes);
    const TWebApp webApp = LoadWebApp(path);

    for (const QByteArray *text : {&webApp.Id, &webApp.URL, &webApp.Mimic}) {
        FUZZ_CHECK(text->size() <= 2047, "a text value longer than 2047 bytes" + Describe(webApp));
        FUZZ_CHECK(!text->contains('\n'), "a text value holding a line break" + Describe(webApp));
    }
    FUZZ_CHECK(LoadWebApp(path) == webApp, "two loads of the same bytes differ" + Describe(webApp));

    // A byte-order mark in front changes nothing (unless the input already starts with one).
    static const QByteArray bom("\xEF\xBB\xBF");
    if (!bytes.startsWith(bom)) {
        WriteBytes(path, bom + bytes);
        const TWebApp withBom = LoadWebApp(path);
        FUZZ_CHECK(withBom == webApp,
                   "a byte-order mark changed the record" + Describe(webApp) + Describe(withBom));
    }

    // CRLF line ends read as LF ones do.
    if (!bytes.contains('\r')) {
        QByteArray crlf = bytes;
        crlf.replace("\n", "\r\n");
        WriteBytes(path, crlf);
        const TWebApp withCrlf = LoadWebApp(path);
        FUZZ_CHECK(withCrlf == webApp,
                   "CRLF line ends changed the record" + Describe(webApp) + Describe(withCrlf));
    }
    return 0;
}
