#include "messagebox.h"

namespace {
TMessageBox::Button NextAnswer = QMessageBox::NoButton;
QList<TMessageBox::TShown> Shown;
} // namespace

TMessageBox::Button TMessageBox::question(QWidget *parent, const QString &title,
                                          const QString &text,
                                          QMessageBox::StandardButtons buttons,
                                          Button defaultButton)
{
    return show(parent, QMessageBox::Question, title, text, buttons, defaultButton);
}

void TMessageBox::critical(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
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

TMessageBox::Button TMessageBox::show(QWidget *parent, QMessageBox::Icon icon,
                                      const QString &title, const QString &text,
                                      QMessageBox::StandardButtons buttons, Button defaultButton)
{
    Shown.append({icon, title, text, buttons, defaultButton});
    if (NextAnswer != QMessageBox::NoButton) {
        const Button answer = NextAnswer;
        NextAnswer = QMessageBox::NoButton;
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    const int result = box.exec();
    // Escape or the close box on a box with Cancel answers Cancel; exec() already maps that.
    return static_cast<Button>(result);
}
