// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the launch benchmark: the least a Qt web engine program can do to show a page.
// One view, the URL from the command line, nothing else; what Lumivane costs is measured on top.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView view;
    view.resize(1024, 768);
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return application.exec();
}
