#!/usr/bin/env bash
# Builds the two fuzz harnesses (WAD scan, LZSS decoder) with clang's
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, and runs each
# for the given number of seconds (default 180). Not part of the build or CI.
# Usage: bash fuzz/gfiles/run.sh [seconds] [work folder, default build-fuzz]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-180}
work=${2:-build-fuzz}
bash scripts/setup-deps.sh clang libclang-rt-14-dev python3

mkdir -p "$work/wad-corpus" "$work/lzss-corpus"
flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
clang++ "${flags[@]}" fuzz/gfiles/fuzz_wad_scan.cpp gfiles/wad_scan.cpp -o "$work/fuzz_wad_scan"
clang++ "${flags[@]}" fuzz/gfiles/fuzz_lzss.cpp gfiles/lzss/lzss_decoder.cpp -o "$work/fuzz_lzss"

# Seeds: small WADs with levels and GL nodes, and the packed-file example.
python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]
def wad(ident, names, vert=b"gNd2"):
    data = vert + b"\0" * 4
    dirs = b"".join(struct.pack("<ii8s", 12, len(data), n.encode()) for n in names)
    return ident + struct.pack("<ii", len(names), 12 + len(data)) + data + dirs
level = ["THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES", "SEGS", "BLOCKMAP"]
gl = ["GL_VERT", "GL_SEGS", "GL_SSECT", "GL_NODES"]
seeds = {
    "maps": wad(b"PWAD", ["MAP01"] + level + ["GL_MAP01"] + gl + ["MAP02"] + level),
    "episodes": wad(b"IWAD", ["E1M1"] + level + ["GL_E1M1"] + gl + ["E2M3"] + level),
    "empty": wad(b"PWAD", []),
}
for name, data in seeds.items():
    open(f"{work}/wad-corpus/{name}", "wb").write(data)
golden = bytes.fromhex("ef0253d3f3defd48656cff6c6f207061636b6667696c65dcff210f0000")
open(f"{work}/lzss-corpus/golden", "wb").write(b"\x00" + golden)
open(f"{work}/lzss-corpus/stored", "wb").write(b"\x80" + b"stored data")
PY

"$work/fuzz_wad_scan" -max_total_time="$seconds" -max_len=8192 -dict=fuzz/gfiles/wad.dict \
    -print_final_stats=1 "$work/wad-corpus" 2>&1 | tail -20
"$work/fuzz_lzss" -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
    "$work/lzss-corpus" 2>&1 | tail -20
