#pragma once
// One run of a composer: the working copies of the state it changes, the
// line being built, and the steps both composers share (preparation, the
// IWAD switch, the end). The composer-specific steps live in compose_iwad.cpp
// and compose_game.cpp; the option switches in compose_options.cpp.

#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_line.h"
#include "launcher/launch/compose_types.h"

#include <string>
#include <string_view>

namespace krv::compose {

enum class Composer { Iwad, Game };

struct Composition {
    Composition(const LaunchInput& input, ComposeEnvironment& env, Composer composer);

    const LaunchInput& in;
    ComposeEnvironment& env;
    const Composer composer;
    ComposeResult out; // settings, boxes, selection and state are worked on in place
    CommandLineText line;

    bool scripted = false;             // the selection is an installed scripted map
    bool engineCannotFindIwad = false; // the location test answered "True"
    // Game composer only.
    bool forcedIwad = false;
    bool boomMode = false;
    bool rocketMap = false;
    bool scriptedModelsPresent = false;

    bool game() const { return composer == Composer::Game; }
    Settings& settings() { return out.settings; }

    void show(std::string_view title, std::string_view text);

    // Preparation, before the composer's own checks.
    void prepare();
    // Preparation after the scripted-map checks: the model compatibility and
    // Quilspack checks.
    void checkModelPacks();
    void startLine() { line = CommandLineText(kEngineCommand); }

    // The IWAD switch, from the current IWAD path and the location test;
    // sets launch in progress.
    void appendIwad();

    // The composition ends without a launch.
    ComposeResult end();
    // The line is complete: hand it over unless a value was refused.
    ComposeResult finish();

private:
    void runAvailabilityChecks();
    void forceEffectsWithoutCoreFiles();
    void runGraphicsCheck();
    bool modelsCompatible();
    void restoreForcedBasicDoom();
};

// The file name of a path written with either separator.
std::string fileName(std::string_view path);
// The file name without its extension.
std::string baseName(std::string_view path);
// Joins a folder text and a relative path with the platform's separator.
std::string under(std::string_view folder, std::string_view relative);

// The option switches, in their fixed order.
void appendOptions(Composition& c);

} // namespace krv::compose
