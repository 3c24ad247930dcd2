// The baseline of the Windows benchmarks: a bare Qt window with a label and
// a button, built exactly as plinkety.exe is (static, stripped).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(300, 233);
    (new QLabel(QStringLiteral("0 bubbles popped!"), &window))->move(2, 212);
    auto *quit = new QPushButton(QStringLiteral("Quit"), &window);
    quit->move(240, 205);
    QObject::connect(quit, &QPushButton::clicked, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
