#pragma once
// The compressed-file module LZSS.dll, loaded at run time from the folder of
// the tool's own executable.

#include "gfiles/lzss/lzss.h"

#include <filesystem>
#include <memory>

namespace krv::gfiles {

class LzssModule {
public:
    // Loads the module file and looks up its four operations; null when the
    // file can't be loaded or lacks one of them.
    static std::unique_ptr<LzssModule> load(const std::filesystem::path& file);
    ~LzssModule();
    LzssModule(const LzssModule&) = delete;
    LzssModule& operator=(const LzssModule&) = delete;

    LzssOpenFn open = nullptr;
    LzssReadLongFn readLong = nullptr;
    LzssReadFn read = nullptr;
    LzssCloseFn close = nullptr;

private:
    LzssModule() = default;
    void* handle_ = nullptr;
};

// The folder of the running executable; empty when it can't be found.
std::filesystem::path executableFolder();

} // namespace krv::gfiles
