#include "app/QuilleryApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QuilleryApp quillery;
    if (!quillery.InitInstance(QApplication::arguments())) return 0;
    return QApplication::exec();
}
