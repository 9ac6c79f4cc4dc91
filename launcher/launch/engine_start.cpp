#include "launcher/launch/engine_start.h"

#include "launcher/platform/command_line.h"

namespace krv {

std::optional<EngineStart> prepareEngineStart(std::string_view commandLine,
                                              const std::string& root) {
    auto argv = resolveCommand(commandLine, root);
    if (!argv)
        return std::nullopt;
    EngineStart start;
    start.program = std::move(argv->front());
    start.arguments.assign(std::make_move_iterator(argv->begin() + 1),
                           std::make_move_iterator(argv->end()));
    start.workingFolder = root;
    return start;
}

} // namespace krv
