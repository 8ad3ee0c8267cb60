#include "app/CWFApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CWFApp app;
    return app.Run(qtApp.arguments().mid(1));
}
