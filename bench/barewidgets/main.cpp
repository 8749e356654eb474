// The floor of the designer's start-up benchmark: one empty Qt Widgets window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    return application.exec();
}
