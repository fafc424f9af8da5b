// The buffer rule of ConvertEncoding, apart from the converter it drives.
#pragma once

#include <cstddef>
#include <functional>

#include "core/bytes.h"

namespace morvane {

enum class StepStop { Done, OutputFull, Failed };

// One conversion call over the rest of the input into the free output room,
// advancing the pointers and counts past what it converted, as iconv does.
using ConversionStep = std::function<StepStop(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)>;

inline constexpr int kMaxConversionCalls = 12;

// Output room for the input's length, grown by length / 2 + 128 whenever a
// call stops with the output full, at most kMaxConversionCalls calls. All the
// output, or the empty byte set on any failure.
ByteSet ConvertInSteps(const ByteSet& input, const ConversionStep& step);

}  // namespace morvane
