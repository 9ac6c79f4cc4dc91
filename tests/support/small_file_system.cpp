#include "support/small_file_system.h"

#include <sched.h>
#include <sys/mount.h>

#include <string>

namespace krv::test {

namespace {

// Moves this process into a private mount namespace once; later mounts stay
// invisible to every other process.
bool privateMounts() {
    static const bool done = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return done;
}

} // namespace

SmallFileSystem::SmallFileSystem(const std::filesystem::path& folder, std::size_t bytes)
    : folder_(folder) {
    std::filesystem::create_directories(folder_);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = privateMounts() && ::mount("krvtest", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                                          options.c_str()) == 0;
}

SmallFileSystem::~SmallFileSystem() {
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

} // namespace krv::test
