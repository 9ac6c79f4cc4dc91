#pragma once
// The compressed-file module LZSS.dll: four C functions that read a packed
// file as one decompressed byte stream. The inspection tool loads the module
// at run time and looks the functions up by these names.
//
// File format: a 4-byte magic, then the data. "slh!" means LZSS-packed data
// follows, "slh." means the data follows unpacked. Packed data uses a
// 4096-byte ring buffer filled with zero bytes, first written at position
// 4078, and matches of 3 to 18 bytes. A flag byte precedes each group of up to
// eight items and is read from its lowest bit up: a set bit announces one
// literal byte, a clear bit a two-byte reference b0, b1 to the absolute ring
// position b0 | ((b1 & 0xF0) << 4) with length (b1 & 0x0F) + 3. There is no
// length field and no end marker: the stream ends where the file ends.

#include <cstdint>

#if defined(_WIN32)
#define KRV_LZSS_API __declspec(dllexport)
#else
#define KRV_LZSS_API __attribute__((visibility("default")))
#endif

extern "C" {

struct LzssFile;

// Opens a file for reading. The mode must start with 'r' ("rp" is what the
// tool passes; whether the data is packed is told by the file's magic).
// Returns null when the file can't be opened, is not a regular file or does
// not start with one of the two magics.
KRV_LZSS_API LzssFile* lzssOpen(const char* name, const char* mode);

// The next four bytes of the stream as a little-endian value. Bytes beyond
// the end of the stream read as zero.
KRV_LZSS_API std::uint32_t lzssReadLong(LzssFile* file);

// Copies the next `count` bytes of the stream to `dest` and returns how many
// arrived; fewer than asked only at the end of the stream. The rest of
// `dest` is left as it was.
KRV_LZSS_API std::int32_t lzssRead(void* dest, std::int32_t count, LzssFile* file);

// Releases the handle; a null handle is ignored. Returns 0.
KRV_LZSS_API int lzssClose(LzssFile* file);

using LzssOpenFn = LzssFile* (*)(const char*, const char*);
using LzssReadLongFn = std::uint32_t (*)(LzssFile*);
using LzssReadFn = std::int32_t (*)(void*, std::int32_t, LzssFile*);
using LzssCloseFn = int (*)(LzssFile*);

} // extern "C"

// Names under which the tool looks the four operations up.
inline constexpr const char* kLzssOpenName = "lzssOpen";
inline constexpr const char* kLzssReadLongName = "lzssReadLong";
inline constexpr const char* kLzssReadName = "lzssRead";
inline constexpr const char* kLzssCloseName = "lzssClose";
