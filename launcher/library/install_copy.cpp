#include "launcher/library/install_copy.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "launcher/inspect/iwad_registry.h"

#include "common/strings.h"

namespace krv {

IoStatus installWadCopy(const std::string& wad, const std::string& gameFolder) {
    const std::string pwads = gameFolder + ci::kSep + "Pwads";
    IoStatus status = IoStatus::AccessDenied;
    if (ci::createFolder(gameFolder) && ci::createFolder(pwads))
        status = copyFileAtomically(wad, pwads + ci::kSep + std::string(fileNameOfPath(wad)));
    if (status != IoStatus::Ok)
        ci::removeTreeInside(ci::Path(gameFolder).parent_path(), gameFolder);
    return status;
}

std::string installFailureText(IoStatus status) {
    switch (status) {
    case IoStatus::DiskFull:
        return "  The wad could not be installed: the disk is full.     ";
    case IoStatus::AccessDenied:
    case IoStatus::InUse:
        return "  The wad could not be installed: access to the file or the     \r\n"
               "  games folder was refused.     ";
    default:
        return "  The wad could not be installed: it could not be read or copied.     ";
    }
}

} // namespace krv
