#include "app/ui/application.h"

#include "app/ui/fontsetup.h"

#include <QApplication>
#include <QWidget>

namespace sorvix {

int runApplication(int argc, char **argv)
{
    QApplication app(argc, argv);
    installChineseFaces();
    QWidget window;
    window.setWindowTitle(QStringLiteral("抽奖软件"));
    window.show();
    return app.exec();
}

} // namespace sorvix
