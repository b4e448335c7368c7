// The floor for start-up measurements: the least a Qt Widgets program does
// before its first window appears. A main window with one label, nothing
// else; Veltrano's start-up time and memory are compared with this.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Veltrano")));
    window.show();
    return app.exec();
}
