#include "launcher/launch/compose_environment.h"

#include "common/ci_path.h"
#include "common/text_file.h"

#include <filesystem>
#include <utility>

namespace krv {

namespace fs = std::filesystem;

DiskComposeEnvironment::DiskComposeEnvironment(std::string root, EnvironmentLookup env)
    : root_(std::move(root)), env_(std::move(env)) {}

bool DiskComposeEnvironment::fileExists(const std::string& path) {
    return !path.empty() && ci::isFile(ci::nativeSeparators(path));
}

bool DiskComposeEnvironment::folderExists(const std::string& path) {
    return !path.empty() && ci::isFolder(ci::nativeSeparators(path));
}

std::optional<FileTime> DiskComposeEnvironment::fileTime(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    const auto found = ci::resolve(ci::nativeSeparators(path));
    if (!found)
        return std::nullopt;
    std::error_code ec;
    const auto written = fs::last_write_time(*found, ec);
    if (ec)
        return std::nullopt;
    return std::chrono::time_point_cast<FileTime::duration>(
        std::chrono::file_clock::to_sys(written));
}

std::optional<std::string> DiskComposeEnvironment::firstLine(const std::string& path) {
    if (!fileExists(path))
        return std::nullopt;
    TextLines read = readTextLines(ci::nativeSeparators(path));
    if (read.status != IoStatus::Ok)
        return std::nullopt;
    return read.lines.empty() ? std::string() : read.lines.front();
}

bool DiskComposeEnvironment::engineFindsIwad(const std::string& iwadPath) {
    return krv::engineFindsIwad(iwadPath, root_, env_);
}

} // namespace krv
