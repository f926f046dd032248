#include "app/QuilleryApp.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The arguments Qt left are taken as bytes: QApplication::arguments() decodes them
    // and loses a path that is not valid UTF-8.
    const std::vector<std::string> arguments(argv, argv + argc);
    QuilleryApp quillery;
    if (!quillery.InitInstance(arguments)) return 0;
    return QApplication::exec();
}
