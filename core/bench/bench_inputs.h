// Inputs for the core benchmarks, made once per size and shared with the
// comparison runs of the command-line tools.
#pragma once

#include <cstddef>
#include <string>

namespace morvane::bench {

// Mixed GBK text: roughly one ASCII character to two hanzi, exactly `size` bytes.
const std::string& GbkText(std::size_t size);
// GBK hex form (upper-case digit pairs) of `size` bytes.
const std::string& AnsiHex(std::size_t size);
// UTF-16LE hex form of `size` bytes.
const std::string& UnicodeHex(std::size_t size);
// Pair-split hex ("41 D6 D0 ...") of `size` bytes.
const std::string& PairSplitHex(std::size_t size);
// A hex signature of `size` bytes and a variant differing at every 7th byte.
const std::string& Signature(std::size_t size);
const std::string& OtherSignature(std::size_t size);
// Uniformly random bytes 01..FF, and a byte-set literal of `size` bytes.
const std::string& RandomBytes(std::size_t size);
const std::string& ByteSetLiteral(std::size_t size);

}  // namespace morvane::bench
