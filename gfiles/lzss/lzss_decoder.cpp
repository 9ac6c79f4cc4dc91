#include "gfiles/lzss/lzss_decoder.h"

#include <algorithm>
#include <cstring>

namespace krv::lzss {

bool Decoder::nextInput(unsigned char& byte) {
    if (inputPos_ == inputLen_) {
        if (inputEnd_)
            return false;
        inputLen_ = source_.read(input_.data(), input_.size());
        inputPos_ = 0;
        if (inputLen_ == 0) {
            inputEnd_ = true;
            return false;
        }
    }
    byte = input_[inputPos_++];
    return true;
}

std::size_t Decoder::read(unsigned char* dest, std::size_t n) {
    std::size_t got = 0;
    if (!packed_) {
        while (got < n) {
            if (inputPos_ == inputLen_) {
                unsigned char byte;
                if (!nextInput(byte))
                    break;
                dest[got++] = byte;
                continue;
            }
            const std::size_t take = std::min(n - got, inputLen_ - inputPos_);
            std::memcpy(dest + got, input_.data() + inputPos_, take);
            inputPos_ += take;
            got += take;
        }
        return got;
    }

    while (got < n) {
        if (copyLeft_ > 0) {
            const unsigned char c = ring_[copyPos_];
            copyPos_ = (copyPos_ + 1) & (kRingSize - 1);
            --copyLeft_;
            ring_[ringPos_] = c;
            ringPos_ = (ringPos_ + 1) & (kRingSize - 1);
            dest[got++] = c;
            continue;
        }
        if (streamEnd_)
            break;
        flags_ >>= 1;
        if ((flags_ & 0x100) == 0) {
            unsigned char f;
            if (!nextInput(f)) {
                streamEnd_ = true;
                break;
            }
            flags_ = f | 0xFF00u;
        }
        if (flags_ & 1) {
            unsigned char c;
            if (!nextInput(c)) {
                streamEnd_ = true;
                break;
            }
            ring_[ringPos_] = c;
            ringPos_ = (ringPos_ + 1) & (kRingSize - 1);
            dest[got++] = c;
        } else {
            unsigned char b0;
            unsigned char b1;
            // A reference cut off by the end of the file ends the stream.
            if (!nextInput(b0) || !nextInput(b1)) {
                streamEnd_ = true;
                break;
            }
            copyPos_ = b0 | ((b1 & 0xF0u) << 4);
            copyLeft_ = (b1 & 0x0Fu) + kMinMatch;
        }
    }
    return got;
}

} // namespace krv::lzss
