// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/messagebox.h"

#include <QAbstractButton>

namespace {
TMessageBox::Button NextAnswer = QMessageBox::NoButton;
QList<TMessageBox::TShown> Shown;
} // namespace

TMessageBox::Button TMessageBox::question(QWidget *parent, const QString &title,
                                          const QString &text, QMessageBox::StandardButtons buttons,
                                          Button defaultButton)
{
    return show(parent, QMessageBox::Question, title, text, buttons, defaultButton);
}

TMessageBox::Button TMessageBox::question(QWidget *parent, const QString &title,
                                          const QString &text, QMessageBox::StandardButtons buttons,
                                          Button defaultButton,
                                          const QMap<Button, QString> &captions)
{
    return show(parent, QMessageBox::Question, title, text, buttons, defaultButton, captions);
}

void TMessageBox::critical(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessageBox::warning(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessageBox::setNextAnswer(Button answer)
{
    NextAnswer = answer;
}

const QList<TMessageBox::TShown> &TMessageBox::shown()
{
    return Shown;
}

void TMessageBox::clearShown()
{
    Shown.clear();
}

TMessageBox::Button TMessageBox::show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                      const QString &text, QMessageBox::StandardButtons buttons,
                                      Button defaultButton, const QMap<Button, QString> &captions)
{
    Shown.append({icon, title, text, buttons, defaultButton, captions});
    if (NextAnswer != QMessageBox::NoButton) {
        const Button answer = NextAnswer;
        NextAnswer = QMessageBox::NoButton;
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    for (auto caption = captions.cbegin(); caption != captions.cend(); ++caption) {
        if (QAbstractButton *button = box.button(caption.key()))
            button->setText(caption.value());
    }
    const int result = box.exec();
    // Escape or the close box on a box with Cancel answers Cancel; exec() already maps that.
    return static_cast<Button>(result);
}
