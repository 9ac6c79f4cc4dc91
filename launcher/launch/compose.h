#pragma once
// The two engine command-line composers. The IWAD composer launches a bare
// commercial game with the options; the game composer adds the selected
// game's files and the checks for the maker's scripted maps and for known
// PWADs. Both run the same preparation, append their switches in a fixed
// order and either hand back a finished line or end with a message.

#include "launcher/launch/compose_environment.h"
#include "launcher/launch/compose_types.h"

namespace krv {

ComposeResult composeIwadLaunch(const IwadLaunchInput& input, ComposeEnvironment& env);
ComposeResult composeGameLaunch(const GameLaunchInput& input, ComposeEnvironment& env);

// The time before which the maker's add-on and its dated maps are too old:
// 10/08/2020 10:10:10 AM, local time, read month first.
FileTime scriptedMapCutoff();

} // namespace krv
