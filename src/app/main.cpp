#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Conewright");
    QMainWindow window;
    window.setWindowTitle("Conewright");
    window.setMinimumSize(640, 480);
    window.resize(1024, 768);
    window.show();
    return QApplication::exec();
}
