// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QMessageBox>

// Every message box of the program goes through here, so tests can answer it without a modal
// loop: setNextAnswer() makes the next box return at once, and shown() records each box asked for.
class TMessageBox
{
public:
    using Button = QMessageBox::StandardButton;

    struct TShown
    {
        QMessageBox::Icon Icon;
        QString Title;
        QString Text;
        QMessageBox::StandardButtons Buttons;
        Button DefaultButton;
        QMap<Button, QString> Captions; // buttons captioned other than by their standard text
    };

    static Button question(QWidget *parent, const QString &title, const QString &text,
                           QMessageBox::StandardButtons buttons, Button defaultButton);
    // As above, with some buttons captioned by the caller ("Allow" for Yes, say).
    static Button question(QWidget *parent, const QString &title, const QString &text,
                           QMessageBox::StandardButtons buttons, Button defaultButton,
                           const QMap<Button, QString> &captions);
    static void critical(QWidget *parent, const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);

    static void setNextAnswer(Button answer);
    static const QList<TShown> &shown();
    static void clearShown();

private:
    static Button show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                       const QString &text, QMessageBox::StandardButtons buttons,
                       Button defaultButton, const QMap<Button, QString> &captions = {});
};
