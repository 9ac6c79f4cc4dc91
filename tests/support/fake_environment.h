#pragma once
// An environment for tests that names no variable but points the Linux IWAD
// places (XDG_DATA_HOME, XDG_DATA_DIRS) at a folder that does not exist, so
// that the IWADs installed on the test machine are never found.

#include <functional>
#include <optional>
#include <string>

namespace krv::test {

inline std::function<std::optional<std::string>(const std::string&)> emptyEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        if (name == "XDG_DATA_HOME" || name == "XDG_DATA_DIRS")
            return std::string("/nonexistent-krv-test-folder");
        return std::nullopt;
    };
}

} // namespace krv::test
