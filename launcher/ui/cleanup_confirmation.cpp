#include "launcher/ui/cleanup_confirmation.h"

#include "common/ci_path.h"
#include "common/text_file.h"

namespace krv {

namespace {
std::string confirmFile(const std::string& dataFolder) {
    return dataFolder + "confirm.krv";
}
} // namespace

bool cleanupConfirmationRemoved(const std::string& dataFolder) {
    return ci::isFile(confirmFile(dataFolder));
}

void setCleanupConfirmationRemoved(const std::string& dataFolder, bool removed) {
    if (removed)
        writeTextLines(confirmFile(dataFolder), {"Cleanup confirmation removed."});
    else
        ci::removeFile(confirmFile(dataFolder));
}

} // namespace krv
