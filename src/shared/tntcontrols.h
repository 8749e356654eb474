// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

// The wide-text kinds of window and control. Only these (and classes derived from them) take
// translated texts from the localizer; plain forms, labels and buttons keep what they were
// designed with.
class TTntForm : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;
};

class TTntButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;
};

class TTntLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// Labels and images only draw themselves: they parent no controls of their own, so walks over a
// form's controls neither descend into them nor treat them as windowed controls.
inline bool IsWindowedControl(const QWidget *control)
{
    return qobject_cast<const QLabel *>(control) == nullptr;
}

// The controls a widget parents, in child order. Separate windows that happen to be children
// (dialogs, menus) are not controls of the widget.
inline QList<QWidget *> ParentedControls(const QWidget *parent)
{
    QList<QWidget *> controls;
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow())
            controls.append(widget);
    }
    return controls;
}
