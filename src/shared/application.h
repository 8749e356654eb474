#pragma once

#include <QApplication>
#include <exception>

// The application object. Commands do not catch their errors: an exception that leaves an event
// handler ends up here and is shown by the application's error display.
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
