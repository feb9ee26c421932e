#include "testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace vornak::test {

std::vector<std::string> LockingFileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    for (const std::string& l : locked)
        if (l == folder)
            throw RuntimeError(kPathFileAccessError);
    return posix::FileSystem::entries(folder, dirs, pattern);
}

Program::Program(const std::filesystem::path& startFolder,
                 std::vector<Drive> driveList,
                 std::vector<std::string> locked)
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

std::string str(const std::filesystem::path& p)
{
    return p.string();
}

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
