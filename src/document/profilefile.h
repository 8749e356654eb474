#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Reads an integer by the document's rules: decimal with optional leading blanks and sign, or
// hexadecimal after "$" or "0x". Anything else (empty, trailing characters, outside the 32-bit
// signed range) gives nullopt, so each caller applies its own default.
std::optional<qint32> ParseProfileInteger(QByteArrayView text);
