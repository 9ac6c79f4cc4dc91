#pragma once
// Zip extraction through the module unzip32.dll, which is loaded at run time
// from the installation's Bin folder. Every member of an archive is extracted
// flat into one folder, overwriting files of the same name without asking.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace krv {

// The question the launcher asks when a member is encrypted.
inline constexpr const char* kZipPasswordPrompt = "Please Enter The Password!";

// Answers the password for the encrypted member `memberName`; nothing or an
// empty answer gives up.
using ZipPasswordPrompt = std::function<std::optional<std::string>(const std::string& memberName)>;

// What one call reported. Only `ok` drives the launcher; the rest is kept
// for inspection and never shown.
struct ZipExtraction {
    bool ok = false;
    std::string information;   // member lines ("Filename:", "Size", "Date", "Time") and totals
    std::string moduleVersion; // the module's version record as text
    std::uint32_t memberCount = 0;
    bool hasComment = false;
};

// `<root>/Bin/unzip32.dll`, found without regard to case; as written when
// it does not exist.
std::filesystem::path unzipModuleFile(const std::string& root);

// Extracts every member of `archive` into `folder` with the installation's
// module; with an empty `folder` the members are only listed. A missing or
// unloadable module, or any failure of the module, gives ok == false.
ZipExtraction ExtractZip(const std::string& root, const std::string& archive,
                         const std::string& folder, const ZipPasswordPrompt& askPassword);

// Extracts only the members whose names end in ".txt" (in any case) into
// `folder`; encrypted ones are left out.
ZipExtraction extractZipTexts(const std::string& root, const std::string& archive,
                              const std::string& folder);

} // namespace krv
