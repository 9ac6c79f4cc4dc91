#pragma once
// The checks of many WADs in few runs of the inspection tool: the files are
// split into batches, each checked by one "KRVgfiles CHECKWADS" run, and each
// run's output is split back into what a CHECKWAD run of each file gives.

#include "launcher/platform/platform.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace krv {

// At most this many files go to one run, so that the progress of a large
// game moves in small steps.
inline constexpr std::size_t kMaxWadsPerBatch = 64;
// A batch's command line stays below the 32,767 characters a Windows command
// line may hold; a single longer path goes alone.
inline constexpr std::size_t kMaxBatchCommandLine = 32000;

// A batch: `count` files of the list from index `first` on.
struct WadBatch {
    std::size_t first = 0;
    std::size_t count = 0;
};

// Splits the files, in order, into batches of about equal size: enough that
// `runsInFlight` runs have one each, at most kMaxWadsPerBatch files and
// kMaxBatchCommandLine characters each.
std::vector<WadBatch> wadBatches(const std::vector<std::string>& files, std::size_t runsInFlight);

// "KRVgfiles CHECKWADS "<file>" ..." for the files of the batch.
std::string wadBatchCommandLine(const std::vector<std::string>& files, const WadBatch& batch);

// The results of a CHECKWADS run of `count` files, one for each file in
// order: what a CHECKWAD run of that file prints and ends with. Nothing for
// a file whose record the output lacks or holds only in part (the run ended
// early, or the tool does not know the command). Lines of other text between
// the records are passed over.
std::vector<std::optional<HiddenRunResult>> splitWadChecks(const std::string& output,
                                                           std::size_t count);

} // namespace krv
