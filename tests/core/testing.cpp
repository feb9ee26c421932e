#include "testing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace vornak::test {

void RecordingFrontEnd::createWindow(Form& f) { log.push_back("create " + std::string(f.name())); }

void RecordingFrontEnd::showWindow(Form& f, Form* owner, bool firstTime)
{
    std::string e = "show " + std::string(f.name());
    if (owner)
        e += " owner=" + std::string(owner->name());
    if (firstTime)
        e += " first";
    log.push_back(e);
}

void RecordingFrontEnd::hideWindow(Form& f) { log.push_back("hide " + std::string(f.name())); }
void RecordingFrontEnd::raiseWindow(Form& f) { log.push_back("raise " + std::string(f.name())); }
void RecordingFrontEnd::destroyWindow(Form& f) { log.push_back("destroy " + std::string(f.name())); }

void RecordingFrontEnd::propertyChanged(Control& c, Property p)
{
    if (p == Property::Value)
        log.push_back("value " + std::string(c.form().name()) + "." + std::string(c.name()) + " " + std::to_string(c.value()));
}

void RecordingFrontEnd::setCursor(MousePointer pointer)
{
    cursor = pointer;
    log.push_back("cursor " + std::to_string(static_cast<int>(pointer)));
}

void RecordingFrontEnd::messageBox(std::string_view, std::string_view text)
{
    messages.emplace_back(text);
    log.push_back("message");
    if (onMessage)
        onMessage();
}

void RecordingFrontEnd::flush()
{
    flushed = true;
    cursorAtFlush = cursor;
    log.push_back("flush");
}

void RecordingFrontEnd::quit() { log.push_back("quit"); }

std::vector<std::string> RecordingFrontEnd::entries(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& e : log)
        if (e.rfind(prefix, 0) == 0)
            out.push_back(e);
    return out;
}

TempTree::TempTree()
{
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path()
        / ("vornak1-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
}

TempTree::~TempTree()
{
    std::error_code ec;
    // Make every folder writable again, so that even a test that took a
    // permission away leaves nothing behind.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(root_, ec);
}

std::filesystem::path TempTree::dir(const std::string& relative) const
{
    const std::filesystem::path p = root_ / relative;
    std::filesystem::create_directories(p);
    return p;
}

std::filesystem::path TempTree::file(const std::string& relative) const
{
    const std::filesystem::path p = root_ / relative;
    std::filesystem::create_directories(p.parent_path());
    FILE* f = std::fopen(p.c_str(), "w");
    if (f)
        std::fclose(f);
    return p;
}

std::string FakeDrives::currentFolderOf(const Drive& drive)
{
    for (const std::string& r : notReady)
        if (r == drive.root)
            throw RuntimeError(kDiskNotReady);
    const auto it = current.find(drive.root);
    return it == current.end() ? drive.root : it->second;
}

std::vector<std::string> LockingFileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    for (const std::string& l : locked)
        if (l == folder)
            throw RuntimeError(kPathFileAccessError);
    return posix::FileSystem::entries(folder, dirs, pattern);
}

Program::Program(const std::filesystem::path& startFolder, std::vector<Drive> driveList, std::vector<std::string> locked)
{
    oldFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(startFolder);
    auto source = std::make_unique<FakeDrives>();
    drives = source.get();
    drives->list = driveList.empty() ? std::vector<Drive>{{"/", "/"}} : std::move(driveList);
    fs_ = std::make_unique<LockingFileSystem>(std::move(source));
    fs_->locked = std::move(locked);
    shell_ = std::make_unique<Shell>(forms::catalogue(), ui, *fs_);
    shell_->start();
}

Program::~Program()
{
    shell_.reset();
    std::error_code ec;
    std::filesystem::current_path(oldFolder_, ec);
}

Form& Program::form(std::string_view name)
{
    Form* f = shell_->form(name);
    if (!f)
        throw std::logic_error(std::string(name) + " is not loaded");
    return *f;
}

std::string str(const std::filesystem::path& p) { return p.string(); }

}  // namespace vornak::test

// GoogleTest's own main passes a run whose filter selects no test; this one
// fails it, so that a mistyped filter or a stale list of tests is seen.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "no test selected: nothing was tested\n");
        return 1;
    }
    return status;
}
