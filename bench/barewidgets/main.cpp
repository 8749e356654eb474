// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the designer's start-up benchmark: one empty Qt Widgets window. With --text the
// same window shows one line of text instead, which is what any text costs a Qt program: the
// font configuration read, the font database filled, the first glyphs shaped and drawn.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool text = QApplication::arguments().contains(QStringLiteral("--text"));
    std::unique_ptr<QWidget> window =
        text
            ? std::make_unique<QLabel>(QStringLiteral("Enter the address of the web site to show."))
            : std::make_unique<QWidget>();
    window->resize(640, 480);
    window->show();
    return application.exec();
}
