#include "launcher/inspect/wad_check_batches.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace krv {

namespace {

constexpr std::string_view kCommand = "KRVgfiles CHECKWADS";
constexpr std::string_view kRecordStart = "FILE ";

std::size_t quotedLength(const std::string& file) {
    return file.size() + 3; // a blank and two double quotes
}

// The next line from `pos`, without its CR LF; nothing when no complete line
// is left. `pos` moves past the line.
std::optional<std::string_view> nextLine(std::string_view text, std::size_t& pos) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 2;
    return line;
}

// Reads a decimal number followed by `after` (or the end of the text).
bool readNumber(std::string_view& text, int& value, char after) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (after == '\0')
        return text.empty();
    if (text.empty() || text.front() != after)
        return false;
    text.remove_prefix(1);
    return true;
}

// The head line of one file's record: "FILE <n> <exit code> <line count>".
struct RecordHead {
    int number = 0;
    int exitCode = 0;
    int lines = 0;
};

std::optional<RecordHead> recordHead(std::string_view line) {
    if (!line.starts_with(kRecordStart))
        return std::nullopt;
    line.remove_prefix(kRecordStart.size());
    RecordHead head;
    if (!readNumber(line, head.number, ' ') || !readNumber(line, head.exitCode, ' ') ||
        !readNumber(line, head.lines, '\0') || head.lines < 0)
        return std::nullopt;
    return head;
}

} // namespace

std::vector<WadBatch> wadBatches(const std::vector<std::string>& files, std::size_t runsInFlight) {
    const std::size_t n = files.size();
    if (n == 0)
        return {};
    const std::size_t wanted = std::max({std::min(n, std::max<std::size_t>(runsInFlight, 1)),
                                         (n + kMaxWadsPerBatch - 1) / kMaxWadsPerBatch});
    const std::size_t perBatch = (n + wanted - 1) / wanted;
    std::vector<WadBatch> batches;
    std::size_t length = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t more = quotedLength(files[i]);
        const bool full = !batches.empty() && (batches.back().count == perBatch ||
                                               length + more > kMaxBatchCommandLine);
        if (batches.empty() || full) {
            batches.push_back({i, 0});
            length = kCommand.size();
        }
        ++batches.back().count;
        length += more;
    }
    return batches;
}

std::string wadBatchCommandLine(const std::vector<std::string>& files, const WadBatch& batch) {
    std::string line(kCommand);
    for (std::size_t i = batch.first; i < batch.first + batch.count; ++i)
        line += " \"" + files[i] + "\"";
    return line;
}

std::vector<std::optional<HiddenRunResult>> splitWadChecks(const std::string& output,
                                                           std::size_t count) {
    std::vector<std::optional<HiddenRunResult>> results(count);
    std::size_t pos = 0;
    std::size_t next = 0; // the file whose record comes next
    while (next < count) {
        const auto line = nextLine(output, pos);
        if (!line)
            break;
        const auto head = recordHead(*line);
        if (!head || head->number != static_cast<int>(next + 1))
            continue;
        const std::size_t start = pos;
        int read = 0;
        while (read < head->lines && nextLine(output, pos))
            ++read;
        if (read < head->lines)
            break; // cut short
        HiddenRunResult& result = results[next++].emplace();
        result.started = true;
        result.exitCode = head->exitCode;
        result.output = output.substr(start, pos - start);
    }
    return results;
}

} // namespace krv
