// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/localizer.h"

#include "shared/tntcontrols.h"

#include <QWidget>

namespace {
const QByteArray AllSection = QByteArrayLiteral("<ALL>");
const QByteArray StringPoolSection = QByteArrayLiteral("<SP>");
const QByteArray FormName = QByteArrayLiteral("<DEFAULT>");

// Component names are identifiers; as 8-bit text they are in the system code page.
QByteArray ComponentName(const QObject *object)
{
    return object->objectName().toLocal8Bit();
}
} // namespace

TL10NResources &L10NResources()
{
    static TL10NResources resources;
    return resources;
}

const QList<TReplacePatterns> &ReplacePatterns()
{
    // "<1310>" goes first so that it becomes one CR LF pair rather than CR followed by "10>".
    static const QList<TReplacePatterns> table = {
        {QStringLiteral("<1310>"), QStringLiteral("\r\n")},
        {QStringLiteral("<13>"), QStringLiteral("\r")},
        {QStringLiteral("<10>"), QStringLiteral("\n")},
        {QStringLiteral("<9>"), QStringLiteral("\t")},
    };
    return table;
}

const TL10NResource *FindL10NResource(qint32 languageId)
{
    const qint32 primary = languageId & 0x3FF;
    const TL10NResource *primaryMatch = nullptr;
    for (const auto &resource : L10NResources()) {
        if (!resource)
            continue;
        if (resource->LanguageId == languageId)
            return resource.get();
        if (resource->LanguageId == primary)
            primaryMatch = resource.get();
    }
    return primaryMatch;
}

bool FindL10NEntry(const TL10NResource *resource, const QByteArray &section, const QByteArray &name,
                   QString &caption, QString &hint)
{
    if (!resource)
        return false;
    for (const TL10NEntry &entry : resource->Entries) {
        if (entry.Section == section && entry.Name == name) {
            caption = entry.Caption;
            hint = entry.Hint;
            return true;
        }
    }
    return false;
}

void LocalizeForm(QWidget *form, qint32 languageId)
{
    const TL10NResource *resource = FindL10NResource(languageId);
    if (!resource || !form)
        return;
    const QByteArray section = ComponentName(form);
    QString caption;
    QString hint;
    if (qobject_cast<TTntForm *>(form) &&
        FindL10NEntry(resource, section, FormName, caption, hint)) {
        form->setWindowTitle(caption);
        form->setToolTip(hint);
    }
    for (QWidget *control : ParentedControls(form))
        LocalizeControl(section, control, resource);
}

void LocalizeControl(const QByteArray &section, QWidget *control, const TL10NResource *resource)
{
    if (!control)
        return;
    const QByteArray name = ComponentName(control);
    QString caption;
    QString hint;
    // Both lookups run into the same pair, so a form-specific entry overrides an "<ALL>" one.
    const bool foundAll = FindL10NEntry(resource, AllSection, name, caption, hint);
    const bool foundForm = FindL10NEntry(resource, section, name, caption, hint);
    if (foundAll || foundForm) {
        if (auto *button = qobject_cast<TTntButton *>(control)) {
            button->setText(caption);
            button->setToolTip(hint);
        } else if (auto *label = qobject_cast<TTntLabel *>(control)) {
            label->setText(caption);
            label->setToolTip(hint);
        }
    }
    if (IsWindowedControl(control)) {
        for (QWidget *child : ParentedControls(control))
            LocalizeControl(section, child, resource);
    }
}

void ApplyReplacePatterns(QString &text)
{
    for (const TReplacePatterns &row : ReplacePatterns())
        text.replace(row.Pattern, row.Replacement, Qt::CaseSensitive);
}

QString GetL10NString(qint32 languageId, const QByteArray &key, const QString &defaultText)
{
    QString result = defaultText;
    ApplyReplacePatterns(result);
    QString caption;
    QString hint;
    if (FindL10NEntry(FindL10NResource(languageId), StringPoolSection, key, caption, hint))
        result = caption;
    return result;
}

QString FormatL10NString(qint32 languageId, const QByteArray &key, const QString &defaultText,
                         const QString &s1, const QString &s2)
{
    QString result = GetL10NString(languageId, key, defaultText);
    result.replace(QStringLiteral("%s1%"), s1, Qt::CaseSensitive);
    result.replace(QStringLiteral("%s2%"), s2, Qt::CaseSensitive);
    return result;
}
