// Pair splitting, space removal and the signature merge.
#pragma once

#include <string_view>

#include "core/text.h"

namespace morvane {

Text SplitIntoPairs(std::string_view text);
Text RemoveSpaces(std::string_view text);
bool HasInnerSpace(std::string_view text);
Text MergeSignatures(std::string_view first, std::string_view second);

}  // namespace morvane
