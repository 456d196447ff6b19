#include <QApplication>
#include <QIcon>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kelvane"));
    window.show();
    return app.exec();
}
