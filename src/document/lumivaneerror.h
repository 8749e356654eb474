// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the program. Commands let it travel to the application's
// error display, which shows message() as the user reads it.
class TLumivaneError : public std::runtime_error
{
public:
    explicit TLumivaneError(const QString &message)
        : std::runtime_error(message.toUtf8().toStdString())
        , FMessage(message)
    {
    }

    QString message() const { return FMessage; }

private:
    QString FMessage;
};
