#pragma once
// "confirm.krv" in the data folder: while it exists, the model pack cleanup
// runs without asking. Only its existence counts.

#include <string>

namespace krv {

bool cleanupConfirmationRemoved(const std::string& dataFolder);

// Writes or deletes "confirm.krv"; failures are ignored, which leaves the
// confirmation on for the next time.
void setCleanupConfirmationRemoved(const std::string& dataFolder, bool removed);

} // namespace krv
