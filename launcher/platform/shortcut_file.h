#pragma once
// Shortcuts on the Linux desktop: a freedesktop.org desktop entry that
// starts the target with its arguments in the working folder.

#include "launcher/platform/platform.h"

#include <string>

namespace krv {

// The text of the desktop entry for `link`; a Windows program is started
// through `wine`.
std::string desktopEntryText(const ShortcutLink& link, bool windowsProgram);

// Writes "<file>.desktop", executable as desktops require of launchers.
bool writeDesktopEntry(const ShortcutLink& link);

} // namespace krv
