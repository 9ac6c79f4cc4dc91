// The LZSS module as the tool uses it: loaded from the built LZSS.dll.

#include "gfiles/lzss_module.h"
#include "support/lzss_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace krv::gfiles {
namespace {

using test::lzssPack;
using test::lzssStore;
using test::TempDir;
using test::writeFile;

std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

class GfilesLzss : public ::testing::Test {
protected:
    void SetUp() override {
        lzss_ = LzssModule::load(KRV_LZSS_DLL);
        ASSERT_NE(lzss_, nullptr);
    }

    std::string file(const std::string& bytes) {
        const auto path = dir_ / ("f" + std::to_string(next_++));
        writeFile(path, bytes);
        return path.string();
    }

    // The whole decompressed stream, read in pieces of `chunk` bytes.
    std::string decode(const std::string& bytes, int chunk = 4096) {
        LzssFile* f = lzss_->open(file(bytes).c_str(), "rp");
        EXPECT_NE(f, nullptr);
        if (f == nullptr)
            return "<open failed>";
        std::string out;
        std::string buf(static_cast<std::size_t>(chunk), '\0');
        for (;;) {
            const std::int32_t got = lzss_->read(buf.data(), chunk, f);
            EXPECT_GE(got, 0);
            EXPECT_LE(got, chunk);
            out.append(buf, 0, static_cast<std::size_t>(std::max(got, 0)));
            if (got < chunk)
                break;
        }
        // The end stays the end.
        EXPECT_EQ(lzss_->read(buf.data(), chunk, f), 0);
        lzss_->close(f);
        return out;
    }

    TempDir dir_;
    int next_ = 0;
    std::unique_ptr<LzssModule> lzss_;
};

const std::string kGolden =
    fromHex("736c6821 ef 0253d3f3 defd 48656c ff 6c6f207061636b66 67 696c65 dcff 210f 0000");

TEST_F(GfilesLzss, GoldenVector) {
    ASSERT_EQ(kGolden.size(), 33u);
    LzssFile* f = lzss_->open(file(kGolden).c_str(), "rp");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(lzss_->readLong(f), 0xF3D35302u);
    char block[80];
    std::memset(block, '#', sizeof block);
    EXPECT_EQ(lzss_->read(block, 80, f), 68);
    std::string expected(68, '\0');
    expected.replace(16, 14, "Hello packfile");
    EXPECT_EQ(std::string(block, 68), expected);
    // The bytes that did not arrive are left alone.
    EXPECT_EQ(std::string(block + 68, 12), std::string(12, '#'));
    EXPECT_EQ(lzss_->close(f), 0);
}

TEST_F(GfilesLzss, RoundTripThroughTheWriter) {
    std::mt19937 rng(7);
    std::vector<std::string> samples{"", "a", "abc", std::string(5000, '\0'),
                                     std::string(300, 'z')};
    std::string random(70000, '\0');
    for (char& c : random)
        c = static_cast<char>(rng());
    samples.push_back(random);
    // Text with repeats near and far (up to the ring's size and beyond).
    std::string text;
    for (int i = 0; text.size() < 60000; ++i)
        text += "level " + std::to_string(i % 97) + " sector " + std::to_string(i % 13) + ";";
    samples.push_back(text);
    std::string mixed;
    for (int i = 0; i < 4000; ++i)
        mixed += std::string(static_cast<std::size_t>(rng() % 40), static_cast<char>(rng() % 4));
    samples.push_back(mixed);

    for (const auto& data : samples) {
        const std::string packed = lzssPack(data);
        if (data.size() > 1000 && &data != &samples[5]) { // all but the random sample shrink
            EXPECT_LT(packed.size(), data.size() / 2);
        }
        for (int chunk : {1, 7, 68, 4096, 100000})
            ASSERT_EQ(decode(packed, chunk), data) << data.size() << " by " << chunk;
        EXPECT_EQ(decode(lzssStore(data), 33), data);
    }
}

TEST_F(GfilesLzss, OpenFails) {
    EXPECT_EQ(lzss_->open((dir_ / "missing").c_str(), "rp"), nullptr);
    for (const std::string& bytes : {std::string(), std::string("slh"), std::string("SLH!abc"),
                                     std::string("slh?abcd"), std::string("PWAD\0\0\0\0", 8)})
        EXPECT_EQ(lzss_->open(file(bytes).c_str(), "rp"), nullptr) << bytes;
    // A folder is not a file.
    EXPECT_EQ(lzss_->open(dir_.path().c_str(), "rp"), nullptr);
    // The module only reads.
    EXPECT_EQ(lzss_->open(file(kGolden).c_str(), "wb"), nullptr);
    EXPECT_EQ(lzss_->open(file(kGolden).c_str(), ""), nullptr);
    // Nothing breaks on a null handle.
    char b[4];
    EXPECT_EQ(lzss_->readLong(nullptr), 0u);
    EXPECT_EQ(lzss_->read(b, 4, nullptr), 0);
    EXPECT_EQ(lzss_->close(nullptr), 0);
}

TEST_F(GfilesLzss, StreamEndsWhereTheFileEnds) {
    // A magic alone is an empty stream; missing bytes of a 32-bit read are 0.
    for (const char* magic : {"slh!", "slh."}) {
        LzssFile* f = lzss_->open(file(magic).c_str(), "rp");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(lzss_->readLong(f), 0u);
        char b[8];
        EXPECT_EQ(lzss_->read(b, 8, f), 0);
        lzss_->close(f);
    }
    LzssFile* f = lzss_->open(file(fromHex("736c6821 07 02 53 d3")).c_str(), "rp");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(lzss_->readLong(f), 0x00D35302u);
    lzss_->close(f);

    // Cut the golden vector everywhere: in a group, after a flag byte, inside
    // a reference. What arrives is always a prefix of the full stream.
    const std::string stream = decode(kGolden);
    ASSERT_EQ(stream.size(), 72u);
    std::size_t last = 0;
    for (std::size_t cut = 4; cut < kGolden.size(); ++cut) {
        const std::string part = decode(kGolden.substr(0, cut), 5);
        EXPECT_EQ(part, stream.substr(0, part.size())) << cut;
        EXPECT_GE(part.size(), last) << cut;
        last = part.size();
    }
    // Cut between the two bytes of the 16-byte reference: only the version.
    EXPECT_EQ(decode(kGolden.substr(0, 10)).size(), 4u);
    EXPECT_EQ(decode(kGolden.substr(0, 11)).size(), 20u);
}

TEST_F(GfilesLzss, ReferencesAreAbsoluteRingPositions) {
    // "AB" written at 4078 and 4079, then a reference to 4078 of length 7
    // overlaps its own output: ABABABABA. Then one to position 0, which
    // still holds the ring's initial zeros.
    const std::string packed =
        std::string("slh!") + "\x03" + "AB" + "\xee\xf4" + std::string(2, '\0');
    EXPECT_EQ(decode(packed), std::string("ABABABABA") + std::string(3, '\0'));
}

} // namespace
} // namespace krv::gfiles
