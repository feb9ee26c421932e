// A folder tree of a test's own under the system's temporary folder,
// removed with everything in it afterwards.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace vornak::test {

class TempTree {
public:
    TempTree()
    {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path()
              / ("vornak1-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(ticks));
        std::filesystem::create_directories(root_);
        root_ = std::filesystem::absolute(root_);
    }
    ~TempTree()
    {
        std::error_code ec;
        // Every folder writable again, so that even a test that took a
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
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::filesystem::path root() const { return root_; }
    // A folder of the tree, made with those above it.
    std::filesystem::path dir(const std::filesystem::path& relative) const
    {
        std::filesystem::path p = root_ / relative;
        std::filesystem::create_directories(p);
        return p;
    }
    // An empty file of the tree, made with the folders above it.
    std::filesystem::path file(const std::filesystem::path& relative) const
    {
        std::filesystem::path p = root_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream made(p);
        return p;
    }

    // What the tree holds: every path in it, with its size and its time,
    // to compare before and after.
    std::vector<std::string> listing() const
    {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root_))
            out.push_back(e.path().string() + " " + std::to_string(e.is_regular_file() ? e.file_size() : 0) + " "
                          + std::to_string(e.last_write_time().time_since_epoch().count()));
        return out;
    }

private:
    std::filesystem::path root_;
};

}  // namespace vornak::test
