// The baseline of the start-up benchmarks: a Qt program that shows one empty
// window with the caption given and waits, as little as a windowed Qt
// program does. Usage: minimal_window CAPTION
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("minimal"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
