#include "support/install_root.h"

#include <filesystem>

namespace krv::test {

std::string standInEngineScript() {
    return readFile(KRV_STANDIN_ENGINE);
}

InstallRoot::InstallRoot() {
    namespace fs = std::filesystem;
    writeFile(dir_ / "Bin/Korvath.exe", standInEngineScript());
    fs::permissions(dir_ / "Bin/Korvath.exe", fs::perms::owner_all);
    writeFile(dir_ / "Bin/KRVgFiles.exe", "tool");
    writeFile(dir_ / "Bin/unzip32.dll", "module");
    writeFile(dir_ / "Bin/fmodex.dll", "module");
    writeFile(dir_ / "Bin/KRVLauncher.exe", "launcher");
    fs::create_directories(dir_ / "KRVLaunch/Data");
}

void InstallRoot::installTools() const {
    namespace fs = std::filesystem;
    for (const char* module : {"KRVgFiles.exe", "LZSS.dll", "unzip32.dll"})
        fs::copy_file(fs::path(KRV_BUILT_BIN) / module, dir_ / "Bin" / module,
                      fs::copy_options::overwrite_existing);
}

} // namespace krv::test
