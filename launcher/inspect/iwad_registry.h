#pragma once
// The registry of the commercial Doom game files (IWADs): one full path per
// kind, empty when the kind is not registered.

#include <array>
#include <string>

namespace krv {

enum class IwadKind { Shareware = 0, Doom, Doom2, Plutonia, Tnt };
inline constexpr int kIwadKindCount = 5;

struct IwadRegistry {
    std::array<std::string, kIwadKindCount> paths; // indexed by IwadKind
    // The four dialog slots, which "iwads.cfg" stores.
    std::array<std::string, 4> slots;
};

} // namespace krv
