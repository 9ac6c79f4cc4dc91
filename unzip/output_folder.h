#pragma once
// The target folder of an extraction, held open as a directory descriptor so
// that every file is created, replaced and removed inside it, whatever its
// path comes to name meanwhile. Members are written to a temporary file and
// renamed into place only when complete; renaming replaces an existing entry
// of that name (a symbolic link too) instead of following it.

#include <ctime>
#include <optional>
#include <random>
#include <string>

namespace krv::unzip {

// A file being written in the target folder. Removed when destroyed unless
// it was committed.
class TempFile {
public:
    TempFile(int folder, int fd, std::string name)
        : folder_(folder), fd_(fd), name_(std::move(name)) {}
    ~TempFile();
    TempFile(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    TempFile& operator=(TempFile&&) = delete;

    // Appends all of `size` bytes; false (errno set) when the disk refuses.
    bool write(const char* data, std::size_t size);
    // Closes the file, stamps it with `mtime` and renames it to `name`,
    // replacing what is there. False (errno set) when any step fails; the
    // temporary file is gone either way.
    bool commit(const std::string& name, std::time_t mtime);

private:
    void discard();

    int folder_;
    int fd_;
    std::string name_;
};

class OutputFolder {
public:
    // Opens `path`, creating it and missing parents first. Null with errno
    // set when that fails.
    static std::optional<OutputFolder> open(const std::string& path);
    ~OutputFolder();
    OutputFolder(OutputFolder&& other) noexcept : fd_(other.fd_), random_(other.random_) {
        other.fd_ = -1;
    }
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;
    OutputFolder& operator=(OutputFolder&&) = delete;

    // Whether an entry `name` exists, a dangling link included.
    bool has(const std::string& name) const;
    // Removes the file `name` of the folder.
    void remove(const std::string& name) const;
    // A new, empty temporary file; null with errno set when none can be made.
    std::optional<TempFile> createTemp();

private:
    OutputFolder(int fd, std::uint64_t seed) : fd_(fd), random_(seed) {}
    int fd_;
    std::mt19937_64 random_;
};

} // namespace krv::unzip
