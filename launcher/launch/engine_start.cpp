#include "launcher/launch/engine_start.h"

#include "launcher/platform/command_line.h"

#include <unistd.h>

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

std::string engineStartFailure(std::string_view commandLine, const std::string& root) {
    const auto argv = resolveCommand(commandLine, root);
    if (!argv)
        return "The engine was not found.";
    // With `wine` on the PATH the program is wine itself, not the engine.
    const std::string& program = argv->front();
    if (isWindowsProgram(program))
        return "The engine is a Windows program: install wine to run it.";
    if (::access(program.c_str(), X_OK) != 0)
        return program + " is not executable.";
    return {};
}

} // namespace krv
