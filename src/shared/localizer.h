// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class QWidget;

// One translated text. Section is a form's component name, "<ALL>" (a control of that name on
// any form) or "<SP>" (the string pool); Name is a control's component name, "<DEFAULT>" for
// the form itself, or a string key. Section and name are 8-bit and compare byte for byte.
struct TL10NEntry
{
    QByteArray Section;
    QByteArray Name;
    QString Caption;
    QString Hint;
};

// The texts of one language. A bare primary language identifier (sublanguage 0) serves every
// sublanguage of that language. Entry order is lookup order.
struct TL10NResource
{
    qint32 LanguageId = 0;
    QList<TL10NEntry> Entries;
};

using TL10NResources = QList<std::shared_ptr<TL10NResource>>;

// The resource sets, one per language. The program itself registers none, so every lookup finds
// nothing and texts stay as designed; the lookups are complete for when a set is present.
TL10NResources &L10NResources();

// One row of the escape table: every Pattern becomes Replacement.
struct TReplacePatterns
{
    QString Pattern;
    QString Replacement;
};

// "<1310>", "<13>", "<10>", "<9>" in this order.
const QList<TReplacePatterns> &ReplacePatterns();

// The set for the language: the first with exactly this identifier, else the last with its
// primary language (the low ten bits), else none.
const TL10NResource *FindL10NResource(qint32 languageId);

// The first entry with this section and name. Caption and hint are assigned only on success.
bool FindL10NEntry(const TL10NResource *resource, const QByteArray &section, const QByteArray &name,
                   QString &caption, QString &hint);

// Localises a wide-text form's caption and hint and every control beneath the form.
void LocalizeForm(QWidget *form, qint32 languageId);

// Localises one control ("<ALL>" first, then the form's section, the later overriding) and
// then, with the same section, the controls it parents.
void LocalizeControl(const QByteArray &section, QWidget *control, const TL10NResource *resource);

// Expands the escape table in place, row by row, left to right, never rescanning inserted text.
void ApplyReplacePatterns(QString &text);

// The pooled text for the key, or the default with its escapes expanded. Stored texts are
// returned as stored.
QString GetL10NString(qint32 languageId, const QByteArray &key, const QString &defaultText);

// GetL10NString, then every "%s1%" replaced by s1, then every "%s2%" by s2.
QString FormatL10NString(qint32 languageId, const QByteArray &key, const QString &defaultText,
                         const QString &s1, const QString &s2);
