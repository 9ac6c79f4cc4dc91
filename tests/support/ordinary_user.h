#pragma once
// A part of a test run as an ordinary user, the way a player runs the
// launcher: file permissions then hold, which they do not for root. Where
// the tests run as root, the folders handed over become the user "nobody"'s
// and the effective user and groups switch to it until the object goes;
// where they already run as an ordinary user, nothing changes.

#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace krv::test {

class OrdinaryUser {
public:
    explicit OrdinaryUser(const std::vector<std::filesystem::path>& folders);
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    // Empty when the test runs as an ordinary user now; else why it cannot
    // (a folder above the given ones that the user may not pass).
    const std::string& unavailable() const { return unavailable_; }

private:
    void switchBack();

    bool switched_ = false;
    std::vector<gid_t> groups_;
    std::string unavailable_;
};

} // namespace krv::test
