#include "app/frmmain.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.Kelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    frmMain window;
    window.Form_Load();
    window.show();
    return app.exec();
}
