#include "gfiles/lzss_module.h"

#include <dlfcn.h>
#include <system_error>

namespace krv::gfiles {

std::unique_ptr<LzssModule> LzssModule::load(const std::filesystem::path& file) {
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    std::unique_ptr<LzssModule> module(new LzssModule);
    module->handle_ = handle;
    module->open = reinterpret_cast<LzssOpenFn>(::dlsym(handle, kLzssOpenName));
    module->readLong = reinterpret_cast<LzssReadLongFn>(::dlsym(handle, kLzssReadLongName));
    module->read = reinterpret_cast<LzssReadFn>(::dlsym(handle, kLzssReadName));
    module->close = reinterpret_cast<LzssCloseFn>(::dlsym(handle, kLzssCloseName));
    if (!module->open || !module->readLong || !module->read || !module->close)
        return nullptr;
    return module;
}

LzssModule::~LzssModule() {
    if (handle_ != nullptr)
        ::dlclose(handle_);
}

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return exe.parent_path();
}

} // namespace krv::gfiles
