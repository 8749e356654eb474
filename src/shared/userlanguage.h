// SPDX-License-Identifier: GPL-3.0-or-later
// The user's default language, as the Windows language identifier (LANGID) that localised
// resources are filed under: primary language in bits 0-9, sublanguage in bits 10-15.
#pragma once

#include <QLocale>
#include <QtGlobal>

// Reads the user's language once; start-up calls it before anything else. Later calls keep the
// value of the first.
void InitUserLanguageId();

// The value read by InitUserLanguageId (which it calls if start-up has not).
quint32 UserLanguageId();

// The identifier of a locale's language and country. A country without an identifier of its own
// gives the language's main one (German in Namibia: German in Germany); a language without one
// gives 0x0400 (neutral language, default sublanguage), which matches no localised resource so
// that the built-in texts stay. The C locale is English (United States).
quint32 LanguageIdForLocale(const QLocale &locale);
