#pragma once
// A tiny tmpfs mounted over a folder for the life of the object, to run
// operations against a full disk. The mount lives in a mount namespace of
// this test process only, so nothing outside sees it and a crash leaves no
// mount behind. Mounting needs root or an unprivileged user namespace;
// `mounted()` says whether it worked, and tests skip otherwise.

#include <cstddef>
#include <filesystem>

namespace krv::test {

class SmallFileSystem {
public:
    SmallFileSystem(const std::filesystem::path& folder, std::size_t bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace krv::test
