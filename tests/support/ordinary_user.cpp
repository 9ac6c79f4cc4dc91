#include "support/ordinary_user.h"

#include <cstdlib>

#include <grp.h>
#include <unistd.h>

namespace krv::test {

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

void handOver(const fs::path& folder) {
    ::lchown(folder.c_str(), kNobody, kNoGroup);
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        ::lchown(it->path().c_str(), kNobody, kNoGroup);
}

} // namespace

OrdinaryUser::OrdinaryUser(const std::vector<fs::path>& folders) {
    if (::geteuid() != 0)
        return;
    for (const fs::path& folder : folders)
        handOver(folder);
    groups_.resize(static_cast<std::size_t>(::getgroups(0, nullptr)));
    groups_.resize(
        static_cast<std::size_t>(::getgroups(static_cast<int>(groups_.size()), groups_.data())));
    if (::setgroups(0, nullptr) != 0 || ::setegid(kNoGroup) != 0 || ::seteuid(kNobody) != 0) {
        switched_ = true;
        switchBack();
        unavailable_ = "the effective user cannot be changed";
        return;
    }
    switched_ = true;
    for (const fs::path& folder : folders)
        if (::access(folder.c_str(), R_OK | W_OK | X_OK) != 0) {
            switchBack();
            unavailable_ = "an ordinary user cannot reach " + folder.string();
            return;
        }
}

OrdinaryUser::~OrdinaryUser() {
    switchBack();
}

void OrdinaryUser::switchBack() {
    if (!switched_)
        return;
    switched_ = false;
    // The rest of the test program needs root back; without it nothing is sound.
    if (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(groups_.size(), groups_.data()) != 0)
        std::abort();
}

} // namespace krv::test
