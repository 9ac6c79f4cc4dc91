#include "unzip/extraction.h"

#include "common/safe_names.h"

#include "unzip/member_layout.h"
#include "unzip/output_folder.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fnmatch.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <zip.h>

namespace krv::unzip {

namespace {

// Members are copied through one buffer of this size, never held whole.
constexpr std::size_t kBufferSize = std::size_t{1} << 20;
// Wrong answers to the password question before a member is given up.
constexpr int kPasswordTries = 3;
constexpr std::int32_t kPasswordBufferSize = 256;

// The caller's callbacks, each of which may be missing.
class Reporter {
public:
    explicit Reporter(UzpCallbacks& callbacks) : cb_(callbacks) {}

    void print(const std::string& text) const {
        if (cb_.print)
            cb_.print(cb_.context, text.c_str());
    }
    void listing(const UzpMemberInfo& member) const {
        if (cb_.listing)
            cb_.listing(cb_.context, &member);
    }
    bool proceed(const std::string& name, std::uint64_t size) const {
        return !cb_.service || cb_.service(cb_.context, name.c_str(), size) == 0;
    }
    bool replace(const std::string& fileName) const {
        return cb_.replace && cb_.replace(cb_.context, fileName.c_str()) != 0;
    }
    std::optional<std::string> password(const std::string& memberName) const {
        if (!cb_.password)
            return std::nullopt;
        std::array<char, kPasswordBufferSize> buffer{};
        if (cb_.password(cb_.context, buffer.data(), kPasswordBufferSize, memberName.c_str()) != 0)
            return std::nullopt;
        buffer.back() = '\0';
        return std::string(buffer.data());
    }

private:
    UzpCallbacks& cb_;
};

enum class Kind { File, Folder, Link, Special };

struct Member {
    zip_stat_t stat;
    Kind kind;
    std::string target; // flattened name; empty when it has none usable
};

// How handling one member ended. A member error spoils the result but the
// run goes on with the next member; a write error ends the run.
enum class Outcome { Done, MemberError, WriteError };

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;
using FilePtr = std::unique_ptr<zip_file_t, FileCloser>;

bool on(std::int32_t option) {
    return option != 0;
}

// What a file may take on disk beyond its bytes (its last, partly used block).
constexpr std::uint64_t kBlockAllowance = 4096;

// Free bytes for an unprivileged writer on the file system of `path`, or of
// its nearest existing parent when it does not exist yet.
std::optional<std::uint64_t> freeBytesAt(std::filesystem::path path) {
    for (;;) {
        struct statvfs fs {};
        if (::statvfs(path.c_str(), &fs) == 0)
            return static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
        if ((errno != ENOENT && errno != ENOTDIR) || path == "." || path == path.root_path())
            return std::nullopt;
        path = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    }
}

// Kind from the external attributes: Unix file types when the archive was
// made on Unix, the DOS folder bit otherwise; a trailing separator always
// means a folder.
Kind kindOf(zip_t* archive, const zip_stat_t& stat) {
    const std::string_view name = stat.name;
    if (!name.empty() && (name.back() == '/' || name.back() == '\\'))
        return Kind::Folder;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, stat.index, 0, &system, &attributes) != 0)
        return Kind::File;
    if (system == ZIP_OPSYS_UNIX) {
        switch ((attributes >> 16) & S_IFMT) {
        case 0:
        case S_IFREG:
            break;
        case S_IFDIR:
            return Kind::Folder;
        case S_IFLNK:
            return Kind::Link;
        default:
            return Kind::Special;
        }
    }
    return (attributes & 0x10) != 0 ? Kind::Folder : Kind::File;
}

const char* methodName(zip_uint16_t method) {
    switch (method) {
    case ZIP_CM_STORE:
        return "Stored";
    case ZIP_CM_DEFLATE:
        return "Deflate";
    case ZIP_CM_DEFLATE64:
        return "Deflate64";
    case ZIP_CM_BZIP2:
        return "BZip2";
    case ZIP_CM_LZMA:
        return "LZMA";
    case ZIP_CM_XZ:
        return "XZ";
    default:
        return "Other";
    }
}

UzpMemberInfo memberInfo(const zip_stat_t& stat) {
    UzpMemberInfo info{};
    info.size = stat.size;
    info.compressedSize = stat.comp_size;
    info.crc = stat.crc;
    if (stat.size > 0 && stat.comp_size < stat.size)
        info.ratioPercent =
            static_cast<std::int32_t>((stat.size - stat.comp_size) * 100 / stat.size);
    std::tm local{};
    if (localtime_r(&stat.mtime, &local) != nullptr) {
        info.year = local.tm_year + 1900;
        info.month = local.tm_mon + 1;
        info.day = local.tm_mday;
        info.hour = local.tm_hour;
        info.minute = local.tm_min;
    }
    info.encrypted = stat.encryption_method != ZIP_EM_NONE ? 1 : 0;
    info.method = methodName(stat.comp_method);
    info.name = stat.name;
    return info;
}

bool matchesAny(const std::vector<std::string>& patterns, const char* name, bool anyCase) {
    for (const auto& pattern : patterns)
        if (::fnmatch(pattern.c_str(), name, anyCase ? FNM_CASEFOLD : 0) == 0)
            return true;
    return false;
}

class Run {
public:
    Run(const Request& request, UzpCallbacks& callbacks, const Limits& limits)
        : request_(request), options_(request.options), callbacks_(callbacks), report_(callbacks),
          limits_(limits) {}

    std::int32_t execute();

private:
    bool writing() const { return !on(options_.listOnly) && !on(options_.testOnly); }
    bool selected(const char* name) const;
    std::int32_t collectMembers();
    std::int32_t checkTotalSize() const;
    std::uint64_t byteBudget(std::uint64_t files) const;
    std::int32_t handle(const Member& member);
    Outcome process(const Member& member);
    bool mayWrite(const std::string& target);
    FilePtr openMember(const zip_stat_t& stat, std::string& error);
    FilePtr openEncrypted(const zip_stat_t& stat, std::string& error);
    Outcome copy(zip_file_t* file, const zip_stat_t& stat, TempFile* sink, std::string& error);
    void reportComment();
    void reportTotals();

    const Request& request_;
    const UzpOptions& options_;
    UzpCallbacks& callbacks_;
    Reporter report_;
    Limits limits_;
    ArchivePtr archive_;
    std::optional<OutputFolder> folder_;
    std::vector<Member> members_;
    std::vector<char> buffer_;
    std::uint64_t archiveMembers_ = 0;
    std::vector<std::string> written_;    // files this run created
    std::optional<std::string> password_; // the last one that opened a member
    bool passwordRefused_ = false;        // the caller gave up answering
    bool memberFailed_ = false;
};

std::int32_t Run::execute() {
    callbacks_.totalSize = 0;
    callbacks_.totalCompressedSize = 0;
    callbacks_.memberCount = 0;
    callbacks_.hasComment = 0;
    const bool needsFolder = writing();
    if (options_.archivePath == nullptr ||
        (needsFolder && (options_.targetFolder == nullptr || *options_.targetFolder == '\0')))
        return kUzpBadRequest;

    int error = 0;
    archive_.reset(zip_open(options_.archivePath, ZIP_RDONLY, &error));
    if (!archive_) {
        zip_error_t detail;
        zip_error_init_with_code(&detail, error);
        report_.print(std::string("error: ") + options_.archivePath + ": " +
                      zip_error_strerror(&detail) + "\n");
        zip_error_fini(&detail);
        return kUzpArchiveError;
    }
    reportComment();
    if (const std::int32_t result = collectMembers(); result != kUzpOk)
        return result;
    if (const auto fault = memberLayoutFault(options_.archivePath, archiveMembers_)) {
        report_.print(std::string("error: ") + options_.archivePath + ": " + *fault + "\n");
        return kUzpArchiveError;
    }
    if (const std::int32_t result = checkTotalSize(); result != kUzpOk)
        return result;
    if (needsFolder) {
        std::optional<OutputFolder> folder = OutputFolder::open(options_.targetFolder);
        if (!folder) {
            report_.print(std::string("error: cannot open ") + options_.targetFolder + ": " +
                          std::strerror(errno) + "\n");
            return kUzpWriteError;
        }
        folder_.emplace(std::move(*folder));
    }
    if (!on(options_.listOnly))
        buffer_.resize(kBufferSize);
    for (const Member& member : members_)
        if (const std::int32_t result = handle(member); result != kUzpOk) {
            // A run that cannot go on keeps nothing it wrote.
            if (result == kUzpWriteError)
                for (const std::string& name : written_)
                    folder_->remove(name);
            return result;
        }
    reportTotals();
    return memberFailed_ ? kUzpMemberError : kUzpOk;
}

bool Run::selected(const char* name) const {
    const bool anyCase = on(options_.caseInsensitiveNames);
    if (!request_.includeNames.empty() && !matchesAny(request_.includeNames, name, anyCase))
        return false;
    return !matchesAny(request_.excludeNames, name, anyCase);
}

std::int32_t Run::collectMembers() {
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    if (count < 0)
        return kUzpArchiveError;
    archiveMembers_ = static_cast<std::uint64_t>(count);
    if (archiveMembers_ > limits_.maxMembers) {
        report_.print("error: the archive holds " + std::to_string(count) +
                      " members, more than the " + std::to_string(limits_.maxMembers) +
                      " allowed\n");
        return kUzpLimitExceeded;
    }
    const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE;
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
        Member member{};
        if (zip_stat_index(archive_.get(), index, 0, &member.stat) != 0 ||
            (member.stat.valid & needed) != needed) {
            report_.print(std::string("error: ") + zip_strerror(archive_.get()) + "\n");
            return kUzpArchiveError;
        }
        if (!selected(member.stat.name))
            continue;
        member.kind = kindOf(archive_.get(), member.stat);
        member.target = flattenedName(member.stat.name);
        members_.push_back(std::move(member));
    }
    return kUzpOk;
}

// Every member is read to exactly its declared size, so the declared sizes
// bound what a run decompresses and writes; a run over the limit, or over
// the free space of the target's file system, is refused before anything is
// read.
std::int32_t Run::checkTotalSize() const {
    if (on(options_.listOnly))
        return kUzpOk;
    std::uint64_t files = 0;
    for (const Member& member : members_)
        files += member.kind == Kind::File ? 1 : 0;
    const std::uint64_t budget = byteBudget(files);
    std::uint64_t total = 0;
    for (const Member& member : members_) {
        if (member.kind != Kind::File)
            continue;
        total += member.stat.size;
        if (member.stat.size > budget || total > budget) {
            report_.print("error: the members hold more than the " + std::to_string(budget) +
                          " bytes allowed\n");
            return kUzpLimitExceeded;
        }
    }
    return kUzpOk;
}

// The bytes a run may write: the limit, and when extracting, the free space
// of the target's file system less a reserve and a block for each file.
std::uint64_t Run::byteBudget(std::uint64_t files) const {
    if (!writing())
        return limits_.maxTotalBytes;
    const std::optional<std::uint64_t> free = freeBytesAt(options_.targetFolder);
    if (!free)
        return limits_.maxTotalBytes;
    const std::uint64_t reserve = limits_.freeSpaceReserve + files * kBlockAllowance;
    return std::min(limits_.maxTotalBytes, *free > reserve ? *free - reserve : 0);
}

std::int32_t Run::handle(const Member& member) {
    report_.listing(memberInfo(member.stat));
    callbacks_.memberCount += 1;
    callbacks_.totalSize += member.stat.size;
    callbacks_.totalCompressedSize += member.stat.comp_size;
    if (!report_.proceed(member.stat.name, member.stat.size))
        return kUzpAborted;
    if (on(options_.listOnly))
        return kUzpOk;
    switch (process(member)) {
    case Outcome::Done:
        return kUzpOk;
    case Outcome::MemberError:
        memberFailed_ = true;
        return kUzpOk;
    case Outcome::WriteError:
        break;
    }
    return kUzpWriteError;
}

Outcome Run::process(const Member& member) {
    const std::string name = member.stat.name;
    if (member.kind == Kind::Folder)
        return Outcome::Done;
    if (member.kind != Kind::File) {
        report_.print("  skipping: " + name + " (not a regular file)\n");
        return Outcome::Done;
    }
    if (member.target.empty()) {
        report_.print("  skipping: " + name + " (no usable file name)\n");
        return Outcome::Done;
    }
    if (writing() && !mayWrite(member.target)) {
        report_.print("  skipping: " + name + " (exists)\n");
        return Outcome::Done;
    }
    std::string error;
    FilePtr file = openMember(member.stat, error);
    Outcome outcome = file ? Outcome::Done : Outcome::MemberError;
    if (file && writing()) {
        std::optional<TempFile> temp = folder_->createTemp();
        if (!temp) {
            error = std::strerror(errno);
            outcome = Outcome::WriteError;
        } else {
            const bool existed = folder_->has(member.target);
            outcome = copy(file.get(), member.stat, &*temp, error);
            if (outcome == Outcome::Done && !temp->commit(member.target, member.stat.mtime)) {
                error = std::string("cannot write ") + member.target + ": " + std::strerror(errno);
                outcome = Outcome::MemberError;
            }
            if (outcome == Outcome::Done && !existed)
                written_.push_back(member.target);
        }
    } else if (file) {
        outcome = copy(file.get(), member.stat, nullptr, error);
    }
    if (outcome != Outcome::Done) {
        report_.print("  error: " + name + ": " + error + "\n");
        return outcome;
    }
    if (!on(options_.quietLevel))
        report_.print((writing() ? "  extracted: " : "  tested: ") + member.target + "\n");
    return Outcome::Done;
}

bool Run::mayWrite(const std::string& target) {
    if (on(options_.overwriteAlways) || !folder_->has(target))
        return true;
    return on(options_.promptToOverwrite) && report_.replace(target);
}

// Opens a member for reading.
FilePtr Run::openMember(const zip_stat_t& stat, std::string& error) {
    const bool encrypted =
        (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE;
    if (encrypted)
        return openEncrypted(stat, error);
    FilePtr file(zip_fopen_index(archive_.get(), stat.index, 0));
    if (!file)
        error = zip_strerror(archive_.get());
    return file;
}

// Tries the password that opened the last encrypted member, then asks the
// caller, a few times at most; once the caller gives up it is not asked
// again in this run.
FilePtr Run::openEncrypted(const zip_stat_t& stat, std::string& error) {
    zip_t* archive = archive_.get();
    std::optional<std::string> candidate = password_;
    for (int asked = 0;;) {
        if (!candidate) {
            if (passwordRefused_ || asked == kPasswordTries)
                break;
            ++asked;
            candidate = report_.password(stat.name);
            if (!candidate) {
                passwordRefused_ = true;
                break;
            }
        }
        if (FilePtr file{zip_fopen_index_encrypted(archive, stat.index, 0, candidate->c_str())}) {
            password_ = std::move(candidate);
            return file;
        }
        if (zip_error_code_zip(zip_get_error(archive)) != ZIP_ER_WRONGPASSWD) {
            error = zip_strerror(archive);
            return nullptr;
        }
        candidate.reset();
    }
    error = "no correct password given";
    return nullptr;
}

// Reads the member to its end, asking never for more than one byte beyond
// its declared size, so a member that lies about its size is caught without
// inflating the rest of it. libzip checks the CRC when the data ends.
Outcome Run::copy(zip_file_t* file, const zip_stat_t& stat, TempFile* sink, std::string& error) {
    std::uint64_t total = 0;
    for (;;) {
        const std::uint64_t allowed = stat.size - total + 1;
        const zip_uint64_t want = std::min<std::uint64_t>(buffer_.size(), allowed);
        const zip_int64_t got = zip_fread(file, buffer_.data(), want);
        if (got < 0) {
            error = zip_file_strerror(file);
            return Outcome::MemberError;
        }
        if (got == 0)
            break;
        total += static_cast<std::uint64_t>(got);
        if (total > stat.size) {
            error = "more data than its declared size";
            return Outcome::MemberError;
        }
        if (sink && !sink->write(buffer_.data(), static_cast<std::size_t>(got))) {
            error = std::strerror(errno);
            return Outcome::WriteError;
        }
    }
    if (total != stat.size) {
        error = "less data than its declared size";
        return Outcome::MemberError;
    }
    return Outcome::Done;
}

void Run::reportComment() {
    int length = 0;
    const char* comment = zip_get_archive_comment(archive_.get(), &length, 0);
    callbacks_.hasComment = comment != nullptr && length > 0 ? 1 : 0;
    if (callbacks_.hasComment && on(options_.showComment))
        report_.print(std::string(comment, static_cast<std::size_t>(length)) + "\n");
}

void Run::reportTotals() {
    report_.print(std::to_string(callbacks_.memberCount) + " members, " +
                  std::to_string(callbacks_.totalSize) + " bytes, " +
                  std::to_string(callbacks_.totalCompressedSize) + " compressed\n");
}

} // namespace

std::string flattenedName(std::string_view memberName) {
    const std::size_t cut = memberName.find_last_of("/\\");
    const std::string_view last =
        cut == std::string_view::npos ? memberName : memberName.substr(cut + 1);
    if (!isUsableName(last))
        return {};
    return std::string(last);
}

std::int32_t run(const Request& request, UzpCallbacks& callbacks, const Limits& limits) {
    try {
        return Run(request, callbacks, limits).execute();
    } catch (...) {
        return kUzpArchiveError;
    }
}

} // namespace krv::unzip
