// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/application.h"

#include "document/lumivaneerror.h"
#include "shared/messagebox.h"

namespace {
QString Title;
} // namespace

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowErrorDisplay(error);
    } catch (...) {
        ShowErrorDisplay(std::runtime_error("Unknown error"));
    }
    return false;
}

QString ApplicationTitle()
{
    return Title;
}

void SetApplicationTitle(const QString &title)
{
    Title = title;
}

QString ErrorDisplayText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() <= u'.')
        return message;
    return message + u'.';
}

void ShowErrorDisplay(const std::exception &error)
{
    const auto *own = dynamic_cast<const TLumivaneError *>(&error);
    const QString message = own ? own->message() : QString::fromLocal8Bit(error.what());
    TMessageBox::critical(QApplication::activeWindow(), ApplicationTitle(),
                          ErrorDisplayText(message));
}

bool RunCommand(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const std::exception &error) {
        ShowErrorDisplay(error);
    } catch (...) {
        ShowErrorDisplay(std::runtime_error("Unknown error"));
    }
    return false;
}
