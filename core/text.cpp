#include "core/text.h"

#include <algorithm>
#include <vector>

#include "core/char_units.h"

namespace morvane {
namespace {

// Every occurrence of a pattern in a text, in increasing order, one linear
// pass over the text however many times it is asked (Knuth-Morris-Pratt; a
// plain byte search for one-byte patterns).
class OccurrenceFinder {
public:
    OccurrenceFinder(std::string_view text, std::string_view pattern) : text_(text), pattern_(pattern) {
        if (pattern_.size() < 2) return;
        fallback_.assign(pattern_.size(), 0);
        for (std::size_t i = 1, k = 0; i < pattern_.size(); ++i) {
            while (k > 0 && pattern_[i] != pattern_[k]) k = fallback_[k - 1];
            if (pattern_[i] == pattern_[k]) ++k;
            fallback_[i] = k;
        }
    }

    // The first occurrence starting at or after pos, or npos. pos must not
    // decrease from one call to the next.
    std::size_t NextFrom(std::size_t pos) {
        if (pattern_.size() == 1) return text_.find(pattern_[0], pos);
        while (scanned_ < text_.size()) {
            const char c = text_[scanned_++];
            while (matched_ > 0 && pattern_[matched_] != c) matched_ = fallback_[matched_ - 1];
            if (pattern_[matched_] == c) ++matched_;
            if (matched_ == pattern_.size()) {
                matched_ = fallback_[matched_ - 1];
                const std::size_t start = scanned_ - pattern_.size();
                if (start >= pos) return start;
            }
        }
        return std::string_view::npos;
    }

private:
    std::string_view text_;
    std::string_view pattern_;
    std::vector<std::size_t> fallback_;
    std::size_t scanned_ = 0;
    std::size_t matched_ = 0;
};

// Walks t unit by unit from the unit start pos to the first occurrence that
// begins where a unit begins, and returns it (npos when none). A lone lead
// byte at the end ends the walk, so nothing matches there.
std::size_t NextUnitAlignedMatch(std::string_view t, OccurrenceFinder& finder, std::size_t pos) {
    for (;;) {
        const std::size_t candidate = finder.NextFrom(pos);
        if (candidate == std::string_view::npos) return candidate;
        while (pos < candidate) pos += UnitLength(t[pos]);
        if (pos == candidate) return IsLoneLeadByte(t, pos) ? std::string_view::npos : pos;
        // The candidate began on the second byte of a unit: look on from the next unit.
    }
}

// Where the text ends once a lone lead byte at its end is cut off, walking
// from the unit start pos.
std::size_t EndWithoutLoneLead(std::string_view t, std::size_t pos) {
    while (pos < t.size()) {
        if (IsLoneLeadByte(t, pos)) return pos;
        pos += UnitLength(t[pos]);
    }
    return t.size();
}

// Length of the space unit at pos (the byte 20, or the full-width A1 A1), or 0.
std::size_t SpaceLength(std::string_view t, std::size_t pos) {
    if (t[pos] == ' ') return 1;
    if (t[pos] == '\xA1' && pos + 1 < t.size() && t[pos + 1] == '\xA1') return 2;
    return 0;
}

// Drops the spaces at the end of t; a lone lead byte at the end goes instead,
// and the spaces before it stay.
Text TrimTail(std::string_view t) {
    std::size_t pos = 0;
    std::size_t runStart = std::string_view::npos;
    while (pos < t.size()) {
        if (IsLoneLeadByte(t, pos)) return Text(t.substr(0, pos));
        const std::size_t space = SpaceLength(t, pos);
        if (space == 0) {
            runStart = std::string_view::npos;
            pos += UnitLength(t[pos]);
        } else {
            if (runStart == std::string_view::npos) runStart = pos;
            pos += space;
        }
    }
    return Text(t.substr(0, std::min(runStart, t.size())));
}

constexpr char FoldAsciiCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Case-blind equality: ASCII letters fold only where they are one-byte units,
// never as the second byte of a two-byte character.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        if (IsLeadByte(a[i])) {
            const std::size_t n = std::min<std::size_t>(2, a.size() - i);
            if (a.substr(i, n) != b.substr(i, n)) return false;
            i += n;
        } else {
            if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

std::int32_t TextLength(std::string_view t) { return SaturatedInt32(t.size()); }

Text ConcatText(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    Text joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

std::int32_t CompareTextBytes(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, like memcmp.
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

std::int32_t CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
    if (caseSensitive) return CompareTextBytes(a, b);
    return EqualIgnoringCase(a, b) ? 0 : 1;
}

Text TextLeft(std::string_view t, std::int64_t n) {
    if (n <= 0) return {};
    return Text(t.substr(0, static_cast<std::uint64_t>(n) < t.size() ? static_cast<std::size_t>(n) : t.size()));
}

Text TextRight(std::string_view t, std::int64_t n) {
    if (n <= 0) return {};
    if (static_cast<std::uint64_t>(n) >= t.size()) return Text(t);
    return Text(t.substr(t.size() - static_cast<std::size_t>(n)));
}

Text TextMid(std::string_view t, std::int64_t start, std::int64_t n) {
    // start < 1 is tested before start - 1 is formed, so INT64_MIN cannot overflow.
    if (start < 1 || n <= 0) return {};
    const auto offset = static_cast<std::uint64_t>(start - 1);
    if (offset >= t.size()) return {};
    const std::size_t available = t.size() - static_cast<std::size_t>(offset);
    const std::size_t count = static_cast<std::uint64_t>(n) < available ? static_cast<std::size_t>(n) : available;
    return Text(t.substr(static_cast<std::size_t>(offset), count));
}

std::int32_t CharCode(std::string_view t, std::int64_t pos) {
    if (pos < 1 || static_cast<std::uint64_t>(pos) > t.size()) return 0;
    return static_cast<signed char>(t[static_cast<std::size_t>(pos - 1)]);
}

std::int32_t CountChars(std::string_view t) {
    // Every unit counts once, except a lone lead byte at the end.
    std::size_t count = 0;
    for (std::size_t i = 0; i < t.size(); i += UnitLength(t[i]))
        if (!IsLoneLeadByte(t, i)) ++count;
    return SaturatedInt32(count);
}

std::int32_t FindText(std::string_view t, std::string_view sub) {
    if (sub.empty()) return t.empty() ? -1 : 1;
    OccurrenceFinder finder(t, sub);
    const std::size_t found = NextUnitAlignedMatch(t, finder, 0);
    if (found == std::string_view::npos) return -1;
    return SaturatedInt32(found + 1);
}

Text TrimEnd(std::string_view t) { return TrimTail(t); }

Text TrimBoth(std::string_view t) {
    std::size_t start = 0;
    while (start < t.size()) {
        const std::size_t space = SpaceLength(t, start);
        if (space == 0) break;
        start += space;
    }
    return TrimTail(t.substr(start));
}

Text ReplaceText(std::string_view t, std::string_view find, std::string_view replacement) {
    if (t.empty() || find.empty()) return Text(t);
    Text result;
    result.reserve(t.size());
    OccurrenceFinder finder(t, find);
    std::size_t pos = 0;
    for (;;) {
        const std::size_t match = NextUnitAlignedMatch(t, finder, pos);
        if (match == std::string_view::npos) break;
        result.append(t.substr(pos, match - pos));
        result.append(replacement);
        pos = match + find.size();
    }
    // With a one-byte find the walk visits every unit up to the end and drops
    // a lone lead byte there; a longer find stops the walk early and the rest
    // is kept as it is.
    const std::size_t end = find.size() == 1 ? EndWithoutLoneLead(t, pos) : t.size();
    result.append(t.substr(pos, end - pos));
    return result;
}

TextList SplitText(std::string_view t, std::string_view delimiter) {
    if (t.empty()) return {};
    if (delimiter.empty()) return {Text(t)};
    TextList pieces;
    OccurrenceFinder finder(t, delimiter);
    std::size_t pieceStart = 0;
    for (;;) {
        const std::size_t match = NextUnitAlignedMatch(t, finder, pieceStart);
        if (match == std::string_view::npos) break;
        pieces.emplace_back(t.substr(pieceStart, match - pieceStart));
        pieceStart = match + delimiter.size();
    }
    // An empty tail is no piece.
    if (pieceStart < t.size()) pieces.emplace_back(t.substr(pieceStart));
    return pieces;
}

}  // namespace morvane
