// Vornak1 on Qt 6 Widgets.
#include "app/filesystem.h"
#include "app/pause.h"
#include "app/shell.h"
#include "forms/catalogue.h"
#include "qtapplication.h"
#include "qtfrontend.h"
#include "qtlaunch.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!vornak::qt::displayAnswers(argc, argv))
        return 1;
    vornak::qt::closeRoads();
    vornak::qt::holdStartupMessages();
    QApplication app(argc, argv);
    vornak::qt::releaseStartupMessages();
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends
    vornak::qt::setupApplication();

    vornak::qt::FrontEnd frontEnd;
    vornak::FileSystem fileSystem(std::make_unique<vornak::PosixDriveSource>());
    vornak::SteadyClock clock;
    vornak::Shell shell(vornak::forms::catalogue(), frontEnd, fileSystem, clock);
    shell.start();
    if (!shell.running())
        return 1;
    return QApplication::exec();
}
