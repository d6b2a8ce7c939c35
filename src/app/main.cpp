#include "mainwindow/Tankeli.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tankeli::Tankeli window;
    window.show();
    return app.exec();
}
