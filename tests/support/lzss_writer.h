#pragma once
// The writer side of the packed-file format that LZSS.dll reads, for making
// saved games in the tests: a 4-byte magic, then LZSS with a 4096-byte ring
// buffer (zero-filled, first written at 4078), matches of 3 to 18 bytes,
// flag bytes read from the lowest bit up (1 = literal), references
// b0 | ((b1 & 0xF0) << 4) as absolute ring positions, length (b1 & 0x0F) + 3.

#include <string>
#include <string_view>

namespace krv::test {

// "slh!" and the packed data. Repeats (overlapping ones too) and runs of
// zeros at the start become references.
std::string lzssPack(std::string_view data);

// "slh." and the data as it is.
std::string lzssStore(std::string_view data);

} // namespace krv::test
