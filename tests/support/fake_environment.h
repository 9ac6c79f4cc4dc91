#pragma once
// Environments for tests. The empty one names no variable but points the
// Linux IWAD places (XDG_DATA_HOME, XDG_DATA_DIRS) at a folder that does not
// exist, so that the IWADs installed on the test machine are never found.

#include <functional>
#include <map>
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

// An environment that names exactly the variables of `vars`, as they are
// when asked (the map must outlive the lookup).
inline std::function<std::optional<std::string>(const std::string&)>
environmentOf(const std::map<std::string, std::string>& vars) {
    return [&vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    };
}

} // namespace krv::test
