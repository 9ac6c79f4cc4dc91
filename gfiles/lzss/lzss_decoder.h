#pragma once
// Streaming decoder of the packed-file format described in lzss.h. It pulls
// the file's bytes (after the magic) from a ByteSource in blocks and delivers
// the decompressed stream in pieces of any size, so a reader that wants only
// a header never decodes more than that.

#include <array>
#include <cstddef>
#include <cstdint>

namespace krv::lzss {

inline constexpr std::size_t kRingSize = 4096;
inline constexpr std::size_t kMaxMatch = 18;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kFirstWrite = kRingSize - kMaxMatch;

// Where the decoder gets its input from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `n` bytes and returns how many; 0 means end of input or an
    // error (both end the stream).
    virtual std::size_t read(unsigned char* dest, std::size_t n) = 0;
};

class Decoder {
public:
    // `packed` false: the input is the stream itself ("slh." files).
    Decoder(ByteSource& source, bool packed) : source_(source), packed_(packed) {}

    // Delivers up to `n` bytes of the decompressed stream; fewer only at its
    // end.
    std::size_t read(unsigned char* dest, std::size_t n);

private:
    bool nextInput(unsigned char& byte);

    ByteSource& source_;
    bool packed_;
    std::array<unsigned char, 4096> input_{};
    std::size_t inputPos_ = 0;
    std::size_t inputLen_ = 0;
    bool inputEnd_ = false;

    std::array<unsigned char, kRingSize> ring_{};
    std::size_t ringPos_ = kFirstWrite;
    // Flag byte of the current group in the low 8 bits; the high byte keeps
    // count of the bits left (it is shifted out together with the flags).
    unsigned flags_ = 0;
    std::size_t copyPos_ = 0;
    std::size_t copyLeft_ = 0;
    bool streamEnd_ = false;
};

} // namespace krv::lzss
