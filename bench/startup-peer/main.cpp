// The peer of the start-up figure: the smallest Qt window program that shows a line of text,
// so both sides pay for the font system as any real window does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("peer"));
    window.setCentralWidget(new QLabel(QStringLiteral("A minimal window")));
    window.show();
    QTimer::singleShot(0, [] {
        std::fputs("peer: main window shown\n", stdout);
        std::fflush(stdout);
    });
    return app.exec();
}
