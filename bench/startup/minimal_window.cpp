// The baseline of the start-up benchmarks: a Qt program that shows one
// window, a QLabel with the caption given as its title and text, and waits,
// as little as a windowed Qt program does. Usage: minimal_window CAPTION
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString caption = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("minimal");
    QLabel window(caption);
    window.setWindowTitle(caption);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
