// libFuzzer harness of the LZSS decoder. The first input byte picks whether
// the data is packed and how the input and output are cut into pieces; the
// rest is the file after its magic. Decoding in pieces must give exactly
// what decoding in one go gives, and never more than the format allows.

#include "gfiles/lzss/lzss_decoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Hands out the input in pieces of 1 to `piece` bytes.
class MemorySource final : public krv::lzss::ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size, std::size_t piece)
        : data_(data), size_(size), piece_(piece) {}
    std::size_t read(unsigned char* dest, std::size_t n) override {
        const std::size_t take = std::min({n, size_ - pos_, 1 + (pos_ * 7) % piece_});
        std::memcpy(dest, data_ + pos_, take);
        pos_ += take;
        return take;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

std::vector<unsigned char> decode(const std::uint8_t* data, std::size_t size, bool packed,
                                  std::size_t inPiece, std::size_t outPiece) {
    MemorySource source(data, size, inPiece);
    krv::lzss::Decoder decoder(source, packed);
    std::vector<unsigned char> out;
    std::vector<unsigned char> buf(outPiece);
    for (;;) {
        const std::size_t got = decoder.read(buf.data(), buf.size());
        if (got > buf.size())
            __builtin_trap();
        out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < buf.size())
            break;
    }
    if (decoder.read(buf.data(), buf.size()) != 0) // the end stays the end
        __builtin_trap();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const bool packed = (mode & 0x80) == 0;
    ++data;
    --size;
    // One read with room for more than the format can give.
    const auto whole = decode(data, size, packed, size + 1, size * 9 + 32);
    const auto pieces = decode(data, size, packed, 1 + (mode & 0x0F), 1 + ((mode >> 4) & 0x07) * 9);
    if (whole != pieces)
        __builtin_trap();
    // Two input bytes give at most 18 output bytes; one flag byte per eight items.
    if (packed ? whole.size() > size * 9 : whole.size() != size)
        __builtin_trap();
    return 0;
}
