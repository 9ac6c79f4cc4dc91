#include "launcher/launch/compose.h"

#include "launcher/launch/compose_messages.h"
#include "launcher/launch/compose_session.h"

namespace krv {

using compose::Composer;
using compose::Composition;

ComposeResult composeIwadLaunch(const IwadLaunchInput& input, ComposeEnvironment& env) {
    Composition c(input, env, Composer::Iwad);
    c.prepare();
    c.checkModelPacks();
    c.startLine();

    const std::string& selected = input.selectedIwadPath;
    if (const auto registered = input.iwads.pathForFileName(compose::fileName(selected)))
        c.out.selection.iwadPath = *registered;
    c.engineCannotFindIwad = !env.engineFindsIwad(selected);
    // An unregistered kind leaves no IWAD to name on the line; it is the same
    // setup problem as a missing file.
    if (!env.fileExists(selected) || c.out.selection.iwadPath.empty()) {
        c.show(compose_text::kSetupError, compose_text::kIwadLocation);
        env.showIwadDialog();
        return c.end();
    }
    c.appendIwad();
    compose::appendOptions(c);
    return c.finish();
}

} // namespace krv
