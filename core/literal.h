// Byte-set literals: "{65,214,208}" and back.
#pragma once

#include "core/bytes.h"
#include "core/text.h"
#include "core/window_ties.h"

namespace morvane {

Text FormatByteSetLiteral(const ByteSet& bytes, WindowTies& ties);
ByteSet ParseByteSetLiteral(std::string_view literal);

}  // namespace morvane
