#include "launcher/library/unzip_module.h"

#include "common/ci_path.h"
#include "unzip/unzip32.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <vector>

namespace krv {

namespace {

// The loaded module; unloaded when it goes out of scope.
class UnzipModule {
public:
    explicit UnzipModule(const std::filesystem::path& file)
        : handle_(::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr)
            return;
        version = reinterpret_cast<UzpVersion2Fn>(::dlsym(handle_, kUzpVersion2Name));
        extract =
            reinterpret_cast<WizSingleEntryUnzipFn>(::dlsym(handle_, kWizSingleEntryUnzipName));
    }
    ~UnzipModule() {
        if (handle_ != nullptr)
            ::dlclose(handle_);
    }
    UnzipModule(const UnzipModule&) = delete;
    UnzipModule& operator=(const UnzipModule&) = delete;

    bool usable() const { return version != nullptr && extract != nullptr; }

    UzpVersion2Fn version = nullptr;
    WizSingleEntryUnzipFn extract = nullptr;

private:
    void* handle_;
};

// What the callbacks reach through their context pointer.
struct Session {
    ZipExtraction& result;
    const ZipPasswordPrompt& askPassword;
};

Session& sessionOf(void* context) {
    return *static_cast<Session*>(context);
}

void onPrint(void* context, const char* text) {
    sessionOf(context).result.information += text;
}

void onSound(void*) {}

// Never reached while overwrite-always is set; replacing keeps the same
// behaviour should it be.
std::int32_t onReplace(void*, const char*) {
    return 1;
}

std::int32_t onPassword(void* context, char* buffer, std::int32_t bufferSize,
                        const char* memberName) {
    const Session& session = sessionOf(context);
    if (!session.askPassword || bufferSize <= 0)
        return 1;
    std::optional<std::string> answer;
    try {
        answer = session.askPassword(memberName);
    } catch (...) {
        return 1;
    }
    if (!answer || answer->empty() || answer->size() >= static_cast<std::size_t>(bufferSize))
        return 1;
    std::memcpy(buffer, answer->c_str(), answer->size() + 1);
    return 0;
}

void onListing(void* context, const UzpMemberInfo* member) {
    char when[64];
    std::snprintf(when, sizeof when, "Date: %02d/%02d/%04d\r\nTime: %02d:%02d\r\n", member->month,
                  member->day, member->year, member->hour, member->minute);
    sessionOf(context).result.information += std::string("Filename: ") + member->name +
                                             "\r\nSize: " + std::to_string(member->size) + "\r\n" +
                                             when;
}

std::int32_t onService(void*, const char*, std::uint64_t) {
    return 0;
}

std::string versionText(UzpVersion2Fn query) {
    UzpVersion version{};
    version.size = sizeof version;
    if (query(&version) != 0)
        return {};
    version.name[sizeof version.name - 1] = '\0';
    version.date[sizeof version.date - 1] = '\0';
    return std::string(version.name) + " " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.patch) + " " + version.date;
}

// All members, flattened, overwriting without a question; only a listing
// when there is no folder to extract to.
UzpOptions extractionOptions(const std::string& archive, const std::string& folder) {
    UzpOptions options{};
    options.promptToOverwrite = 0;
    options.listOnly = folder.empty() ? 1 : 0;
    options.showComment = 0;
    options.recreateFolderPaths = 0;
    options.overwriteAlways = 1;
    options.archivePath = archive.c_str();
    options.targetFolder = folder.c_str();
    return options;
}

} // namespace

std::filesystem::path unzipModuleFile(const std::string& root) {
    const std::filesystem::path file = std::filesystem::path(root) / "Bin" / "unzip32.dll";
    return ci::resolve(file).value_or(file);
}

namespace {

// The members that match one of `names` (all of them for none), matched in
// any case when `anyCase`.
ZipExtraction extractMembers(const std::string& root, const std::string& archive,
                             const std::string& folder, const ZipPasswordPrompt& askPassword,
                             std::vector<std::string> names, bool anyCase) {
    ZipExtraction result;
    const UnzipModule module(unzipModuleFile(root));
    if (!module.usable())
        return result;
    const std::string archivePath = ci::resolve(archive).value_or(archive).string();
    const std::string folderPath = folder.empty() ? folder : ci::resolveForWrite(folder).string();
    UzpOptions options = extractionOptions(archivePath, folderPath);
    options.caseInsensitiveNames = anyCase ? 1 : 0;
    Session session{result, askPassword};
    UzpCallbacks callbacks{};
    callbacks.print = onPrint;
    callbacks.sound = onSound;
    callbacks.replace = onReplace;
    callbacks.password = onPassword;
    callbacks.listing = onListing;
    callbacks.service = onService;
    callbacks.context = &session;
    result.moduleVersion = versionText(module.version);
    std::vector<char*> include;
    for (std::string& name : names)
        include.push_back(name.data());
    const std::int32_t status = module.extract(static_cast<std::int32_t>(include.size()),
                                               include.empty() ? nullptr : include.data(), 0,
                                               nullptr, &options, &callbacks);
    result.ok = status == kUzpOk;
    result.memberCount = callbacks.memberCount;
    result.hasComment = callbacks.hasComment != 0;
    return result;
}

} // namespace

ZipExtraction ExtractZip(const std::string& root, const std::string& archive,
                         const std::string& folder, const ZipPasswordPrompt& askPassword) {
    return extractMembers(root, archive, folder, askPassword, {}, false);
}

ZipExtraction extractZipTexts(const std::string& root, const std::string& archive,
                              const std::string& folder) {
    return extractMembers(root, archive, folder, {}, {"*.txt"}, true);
}

} // namespace krv
