// Vornak1 on Qt 6 Widgets.
#include "app/shell.h"
#include "forms/catalogue.h"
#include "platform/posix/posixfilesystem.h"
#include "qtapplication.h"
#include "qtfrontend.h"
#include "qtdisplay.h"
#include "qtenvironment.h"
#include "qtscreen.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!vornak::qt::displayAnswers(argc, argv))
        return 1;
    vornak::qt::hardenEnvironment();
    vornak::qt::prepareScreen(argc, argv);
    vornak::qt::holdStartupMessages();
    QApplication app(argc, argv);
    vornak::qt::releaseStartupMessages();
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends
    vornak::qt::setupApplication();

    vornak::qt::FrontEnd frontEnd;
    vornak::posix::FileSystem fileSystem(std::make_unique<vornak::posix::DriveSource>());
    vornak::Shell shell(vornak::forms::catalogue(), frontEnd, fileSystem);
    shell.start();
    if (!shell.running())
        return 1;
    return QApplication::exec();
}
