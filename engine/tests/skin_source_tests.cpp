#include <gtest/gtest.h>

#include <string>

#include "engine/tests/skin_fixture.h"
#include "engine/tools/skin_source.h"

namespace morvane::skin {
namespace {

TEST(SkinSource, CommittedSkinFileIsTheCompiledSource) {
    const std::vector<uint8_t> committed = testing::ReadFileBytes(MORVANE_SKIN_FILE);
    ASSERT_FALSE(committed.empty());
    EXPECT_EQ(testing::ProjectSkinFile(), committed)
        << "run skin_compiler resources/morvane-skin.txt resources/morvane.skin";
}

std::string SourceWithout(const std::string& name) {
    const std::vector<uint8_t> bytes = testing::ReadFileBytes(MORVANE_SKIN_SOURCE);
    std::string source(bytes.begin(), bytes.end()), out;
    size_t start = 0;
    while (start < source.size()) {
        const size_t end = source.find('\n', start);
        const std::string line = source.substr(start, end - start);
        if (line.rfind(name, 0) != 0) out += line + "\n";
        start = end == std::string::npos ? source.size() : end + 1;
    }
    return out;
}

TEST(SkinSource, RefusesBrokenSources) {
    struct Case {
        std::string source;
        std::string message;
    };
    const std::string full = SourceWithout("no such line");
    const Case cases[] = {
        {SourceWithout("accent"), "missing field accent"},
        {full + "accent = #000000\n", "given twice"},
        {full + "shadow = #000000\n", "unknown field shadow"},
        {SourceWithout("accent") + "accent = 2F74C0\n", "bad value for accent"},
        {SourceWithout("accent") + "accent = #2F74G0\n", "bad value for accent"},
        {SourceWithout("edit_border_width_px") + "edit_border_width_px = 3\n", "bad value"},
        {SourceWithout("tint_strength_percent") + "tint_strength_percent = -1\n", "bad value"},
        {full + "just words\n", "expected name = value"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(CompileSkinSource(c.source, &error)) << c.message;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace morvane::skin
