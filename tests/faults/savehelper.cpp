// SPDX-License-Identifier: GPL-3.0-or-later
// A child process for the fault tests, so that a save can run as another user, under a file
// size limit, or be killed at any moment.
//
//   lumivane_savehelper save PATH a|b   saves record A or B; exit 0, or 3 with the error's text
//                                       on stderr
//   lumivane_savehelper loop PATH       saves A, B, A, B, ... until killed, writing one line to
//                                       stdout after each completed save

#include "document/lumivaneerror.h"
#include "document/webapp.h"
#include "faultrecords.h"

#include <QString>

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (std::strcmp(argv[1], "save") == 0 && argc == 4) {
            SaveWebApp(path, std::strcmp(argv[3], "b") == 0 ? RecordB() : RecordA());
            return 0;
        }
        if (std::strcmp(argv[1], "loop") == 0) {
            const TWebApp records[2] = {RecordA(), RecordB()};
            for (unsigned long long count = 0;; ++count) {
                SaveWebApp(path, records[count % 2]);
                // Unbuffered, so that what the parent reads is exactly what completed.
                if (::write(STDOUT_FILENO, "s\n", 2) != 2)
                    return 4;
            }
        }
    } catch (const TLumivaneError &error) {
        std::fprintf(stderr, "%s", error.message().toLocal8Bit().constData());
        return 3;
    }
    return 2;
}
