// Character-set conversion through iconv (the C library's, or our own layer
// on Windows).
#include <cerrno>

#include "core/bytes.h"
#include "core/encoding_steps.h"
#include "core/platform.h"

namespace morvane {

ByteSet ConvertInSteps(const ByteSet& input, const ConversionStep& step) {
    if (input.empty()) return {};
    ByteSet output(input.size());
    // iconv takes a non-const input pointer but never writes through it.
    char* inPtr = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    for (int call = 0; call < kMaxConversionCalls; ++call) {
        char* outPtr = reinterpret_cast<char*>(output.data()) + written;
        std::size_t outLeft = output.size() - written;
        const StepStop stop = step(inPtr, inLeft, outPtr, outLeft);
        written = output.size() - outLeft;
        if (stop == StepStop::Failed) return {};
        if (stop == StepStop::Done) {
            output.resize(written);
            return output;
        }
        output.resize(output.size() + input.size() / 2 + 128);
    }
    return {};
}

ByteSet ConvertEncoding(const ByteSet& b, const char* from, const char* to) {
    if (from == nullptr || to == nullptr) return {};
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    const ByteSet converted = ConvertInSteps(b, [cd](char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) return StepStop::Done;
        return errno == E2BIG ? StepStop::OutputFull : StepStop::Failed;
    });
    iconv_close(cd);
    return converted;
}

}  // namespace morvane
