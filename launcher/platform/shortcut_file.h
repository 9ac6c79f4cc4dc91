#pragma once
// Shortcuts on the Linux desktop: a freedesktop.org desktop entry that
// starts the target with its arguments in the working folder.

#include "launcher/platform/platform.h"

#include <optional>
#include <string>

namespace krv {

// The text of the desktop entry for `link`, every value escaped as desktop
// entries require; a Windows program is started through `wine`. Nothing when
// a value cannot be written safely (a control byte in the command, text that
// is not UTF-8).
std::optional<std::string> desktopEntryText(const ShortcutLink& link, bool windowsProgram);

// Writes "<file>.desktop", executable as desktops require of launchers.
bool writeDesktopEntry(const ShortcutLink& link);

} // namespace krv
