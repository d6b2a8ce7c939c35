// The yardstick for start-up time and memory: a window with a menu bar and one field.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.menuBar()->addMenu(QStringLiteral("Tiedosto"))->addAction(QStringLiteral("Lopeta"));
    window.setCentralWidget(new QLineEdit(QStringLiteral("0")));
    window.resize(424, 340);
    window.show();
    return app.exec();
}
