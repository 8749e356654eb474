// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every command catches its errors where it starts (see RunCommand);
// notify() only shows one that slipped past anyway, as a last resort.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// The title of the application as a whole: the caption of its message boxes. The runner replaces
// it with the page title.
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// The error display: a message box with the error's text, a full stop appended unless the text
// already ends in a character of code up to '.', the application title as caption, an error icon
// and OK.
QString ErrorDisplayText(const QString &message);
void ShowErrorDisplay(const std::exception &error);

// Runs a command. An error ends the command and is shown by the error display here, where the
// command started: Qt is built without exceptions, so none may travel through its event
// delivery. True when the command ran to its end.
bool RunCommand(const std::function<void()> &command);

// A handler connected as a command: connect(button, &QPushButton::clicked, this,
// Command(this, &TForm::ButtonClick)).
template <class TForm, class... TArgs> auto Command(TForm *form, void (TForm::*handler)(TArgs...))
{
    return [form, handler](TArgs... args) { RunCommand([&] { (form->*handler)(args...); }); };
}
