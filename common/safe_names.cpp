#include "common/safe_names.h"

#include <algorithm>
#include <system_error>

namespace krv {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxNameBytes = 255;

bool isDotName(std::string_view name) {
    return name == "." || name == "..";
}

} // namespace

bool hasControlByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

bool isUsableName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameBytes || isDotName(name))
        return false;
    const std::string_view base = name.substr(0, name.rfind('.'));
    if (base.empty() || isDotName(base))
        return false;
    return name.find_first_of("/\\\"") == std::string_view::npos && !hasControlByte(name);
}

namespace ci {

namespace {

bool hasDotComponent(const Path& path) {
    return std::any_of(path.begin(), path.end(),
                       [](const Path& part) { return isDotName(part.string()); });
}

// True when `inner` has every component of `outer` and at least one more;
// both are canonical.
bool strictlyBelow(const Path& outer, const Path& inner) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i)
        if (i == inner.end() || *o != *i)
            return false;
    return i != inner.end();
}

} // namespace

Confined confine(const Path& folder, const Path& target) {
    const Path written(nativeSeparators(target.string()));
    if (written.empty() || hasDotComponent(written) || hasDotComponent(Path(folder)))
        return {};
    const auto base = resolve(folder);
    if (!base)
        return {};
    std::error_code error;
    const Path outer = fs::canonical(*base, error);
    if (error)
        return {};
    const auto found = resolve(written);
    const Path place = found ? *found : resolveForWrite(written);
    if (!place.has_filename())
        return {};
    // The way to the target follows every link; the target itself is judged
    // by where it stands, so a link is removed or renamed, never followed.
    const Path parent = fs::weakly_canonical(fs::absolute(place, error).parent_path(), error);
    if (error || !strictlyBelow(outer, parent / place.filename()))
        return {};
    return {found ? Confinement::Inside : Confinement::Missing, place};
}

bool removeFileInside(const Path& folder, const Path& target) {
    const Confined c = confine(folder, target);
    if (c.verdict == Confinement::Outside)
        return false;
    return c.verdict == Confinement::Missing || removeFile(c.path);
}

bool removeTreeInside(const Path& folder, const Path& target) {
    const Confined c = confine(folder, target);
    if (c.verdict == Confinement::Outside)
        return false;
    return c.verdict == Confinement::Missing || removeTree(c.path);
}

bool removeWholeTreeInside(const Path& folder, const Path& target) {
    const Confined c = confine(folder, target);
    if (c.verdict == Confinement::Outside)
        return false;
    return c.verdict == Confinement::Missing || (canRemoveTree(c.path) && removeTree(c.path));
}

std::error_code renameInside(const Path& folder, const Path& from, const Path& to) {
    const Confined source = confine(folder, from);
    const Confined destination = confine(folder, to);
    const bool taken =
        destination.verdict == Confinement::Inside && destination.path != source.path;
    if (source.verdict != Confinement::Inside || destination.verdict == Confinement::Outside ||
        taken)
        return std::make_error_code(std::errc::invalid_argument);
    std::error_code error;
    fs::rename(source.path, destination.path.parent_path() / Path(to).filename(), error);
    return error;
}

bool copyInto(const Path& folder, const Path& from, const Path& to) {
    const Confined destination = confine(folder, to);
    if (destination.verdict == Confinement::Outside || isLink(destination.path))
        return false;
    const auto source = resolve(from);
    if (!source)
        return false;
    std::error_code error;
    fs::copy_file(*source, destination.path, fs::copy_options::overwrite_existing, error);
    return !error;
}

} // namespace ci

} // namespace krv
