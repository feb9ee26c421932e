// How long the interface is blocked when the folder list opens a large
// folder: the listing and the filling of the Qt file list together.
//   QT_QPA_PLATFORM=offscreen bench_qt PARENT_FOLDER SUBFOLDER RUNS
#include "platform/posix/posixfilesystem.h"
#include "app/controls/filelist.h"
#include "app/controls/folderlist.h"
#include "app/shell.h"
#include "forms/catalogue.h"
#include "qtapplication.h"
#include "qtfrontend.h"
#include "qtscreen.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

// How long a call takes, the events it posts handled.
template <class F>
double secondsOf(F call)
{
    const auto start = std::chrono::steady_clock::now();
    call();
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int indexOf(const vornak::FolderList& dir, const std::string& name)
{
    for (size_t k = 0; k < dir.folders().size(); ++k)
        if (dir.folders()[k].name == name)
            return static_cast<int>(k);
    return -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    vornak::qt::prepareScreen(argc, argv);
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_qt PARENT_FOLDER SUBFOLDER RUNS\n");
        return 2;
    }
    vornak::qt::setupApplication();
    std::filesystem::current_path(argv[1]);
    const std::string sub = argv[2];
    const int runs = std::max(1, std::atoi(argv[3]));

    vornak::qt::FrontEnd ui;
    vornak::posix::FileSystem fs(std::make_unique<vornak::posix::DriveSource>());
    vornak::Shell shell(vornak::forms::catalogue(), ui, fs);
    shell.start();
    vornak::FolderList& dir = shell.form("frmMAIN")->get<vornak::FolderList>("Dir1");
    std::vector<double> open;
    size_t shown = 0;
    for (int i = 0; i < runs; ++i) {
        open.push_back(secondsOf([&] { dir.userOpen(indexOf(dir, sub)); }));
        shown = shell.form("frmMAIN")->get<vornak::FileList>("File1").items().size();
        secondsOf([&] { dir.userOpen(dir.listIndex() - 1); });  // back up to the parent
    }
    std::sort(open.begin(), open.end());
    std::printf("{\"ui_open_big_s\": %.4f, \"ui_open_big_max_s\": %.4f, \"files_shown\": %zu}\n", open[open.size() / 2],
                open.back(), shown);
    return 0;
}
