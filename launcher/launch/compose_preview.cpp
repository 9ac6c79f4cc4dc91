#include "launcher/launch/compose_preview.h"

namespace krv {

std::string previewText(const ComposeResult& result) {
    if (result.launch)
        return result.commandLine;
    // The last message is the one that stopped the launch; the earlier ones
    // were warnings the composition went on after.
    return result.messages.empty() ? std::string() : result.messages.back().title;
}

} // namespace krv
