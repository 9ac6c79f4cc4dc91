#include "support/lzss_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace krv::test {

namespace {

constexpr int kRing = 4096;
constexpr int kMaxMatch = 18;
constexpr int kMinMatch = 3;
constexpr int kFirstWrite = kRing - kMaxMatch;
constexpr int kHashSize = 1 << 14;
constexpr int kMaxChain = 256;

// The encoder works on a virtual history: 4096 zero bytes (the ring's
// initial contents) followed by the data. Virtual index v sits at ring
// position (v + kFirstWrite) % kRing, and any index of the last 4096 before
// the current one still holds its byte in the ring.
class Packer {
public:
    explicit Packer(std::string_view data) : history_(kRing, '\0') { history_.append(data); }

    std::string run() {
        std::string out = "slh!";
        std::vector<int> head(kHashSize, -1);
        std::vector<int> prev(history_.size(), -1);
        // The zero prefix can be referenced too; index its last positions.
        for (int v = kRing - kMaxMatch; v < kRing; ++v)
            insert(v, head, prev);

        std::size_t flagPos = 0;
        int bit = 8;
        for (int v = kRing; v < static_cast<int>(history_.size());) {
            if (bit == 8) {
                flagPos = out.size();
                out.push_back('\0');
                bit = 0;
            }
            int bestLen = 0;
            int bestPos = 0;
            findMatch(v, head, prev, bestLen, bestPos);
            if (bestLen >= kMinMatch) {
                const int ringPos = (bestPos + kFirstWrite) % kRing;
                out.push_back(static_cast<char>(ringPos & 0xFF));
                out.push_back(static_cast<char>(((ringPos >> 4) & 0xF0) | (bestLen - kMinMatch)));
                for (int i = 0; i < bestLen; ++i)
                    insert(v + i, head, prev);
                v += bestLen;
            } else {
                out[flagPos] = static_cast<char>(out[flagPos] | (1 << bit));
                out.push_back(history_[v]);
                insert(v, head, prev);
                ++v;
            }
            ++bit;
        }
        return out;
    }

private:
    int hashAt(int v) const {
        if (v + 2 >= static_cast<int>(history_.size()))
            return -1;
        const auto b = [&](int i) { return static_cast<std::uint8_t>(history_[v + i]); };
        return ((b(0) << 8) ^ (b(1) << 4) ^ b(2)) & (kHashSize - 1);
    }

    void insert(int v, std::vector<int>& head, std::vector<int>& prev) const {
        const int h = hashAt(v);
        if (h < 0)
            return;
        prev[v] = head[h];
        head[h] = v;
    }

    void findMatch(int v, const std::vector<int>& head, const std::vector<int>& prev, int& bestLen,
                   int& bestPos) const {
        const int h = hashAt(v);
        if (h < 0)
            return;
        const int limit = std::min<int>(kMaxMatch, static_cast<int>(history_.size()) - v);
        int chain = 0;
        for (int c = head[h]; c >= 0 && v - c <= kRing && chain < kMaxChain; c = prev[c], ++chain) {
            int len = 0;
            // Comparing against the history reproduces the byte-by-byte copy:
            // an overlapping source reads bytes the copy itself has written.
            while (len < limit && history_[c + len] == history_[v + len])
                ++len;
            if (len > bestLen) {
                bestLen = len;
                bestPos = c;
                if (len == limit)
                    break;
            }
        }
    }

    std::string history_;
};

} // namespace

std::string lzssPack(std::string_view data) {
    return Packer(data).run();
}

std::string lzssStore(std::string_view data) {
    return "slh." + std::string(data);
}

} // namespace krv::test
