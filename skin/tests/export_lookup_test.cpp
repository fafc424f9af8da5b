#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/tests/loader_test_support.h"

namespace morvane::testing {
namespace {

// A request and what calling its export with words gives; nullopt: no export.
struct Request {
    std::string name;
    CallWords words;
    std::optional<std::uintptr_t> result;
};

const CallWords kOneToTen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::uintptr_t kWeighedOneToTen = 385;  // 1*1 + 2*2 + ... + 10*10

class Lookup : public LoaderTest {
protected:
    void SetUp() override {
        LoaderTest::SetUp();
        ASSERT_TRUE(module.Load(MainFixture()));
    }

    void Expect(const std::vector<Request>& requests) {
        for (const Request& r : requests) {
            SCOPED_TRACE("request \"" + r.name + "\"");
            const std::uintptr_t address = module.FindProc(r.name);
            if (!r.result) {
                EXPECT_EQ(address, 0u);
            } else if (address == 0) {
                ADD_FAILURE() << "not found";
            } else {
                EXPECT_EQ(CallProc(address, r.words), *r.result);
            }
        }
    }

    // The export directory inside the mapping.
    std::size_t ExportDirectory() const { return Mapped().Directory(pe::kExportDirectory).VirtualAddress; }
    template <class T>
    void SetExportField(std::size_t field, T value) const {
        Mapped().Set<T>(ExportDirectory() + field, value);
    }
    pe::ExportDirectory Exports() const { return Mapped().Get<pe::ExportDirectory>(ExportDirectory()); }
};

TEST_F(Lookup, FindsExportsByExactNameOrByCanonicalOrdinalText) {
    Expect({
        {"Add", {2, 3}, 5},
        {"Mul", {6, 7}, 42},
        {"ReadGlobal", {}, 42},
        {"UseTwice", {20}, 41},
        {"Weigh10", kOneToTen, kWeighedOneToTen},
        {"5", {2, 3}, 5},
        {"6", {6, 7}, 42},
        {"9", {}, 9},  // exported without a name
        {"10", kOneToTen, kWeighedOneToTen},
        // Names compare byte for byte.
        {"add", {}, std::nullopt},
        {"ADD", {}, std::nullopt},
        {"Ad", {}, std::nullopt},
        {"AddX", {}, std::nullopt},
        {"Secret", {}, std::nullopt},
        {"", {}, std::nullopt},
        // Ordinals below the base or past the table.
        {"4", {}, std::nullopt},
        {"11", {}, std::nullopt},
        {"0", {}, std::nullopt},
        {"-3", {}, std::nullopt},
        // Numbers not in canonical form are names, and no export has them.
        {"05", {}, std::nullopt},
        {" 5", {}, std::nullopt},
        {"+5", {}, std::nullopt},
        {"5a", {}, std::nullopt},
        {"\xA3\xB5", {}, std::nullopt},  // a full-width 5
        {"4294967301", {}, std::nullopt},  // 2^32 + 5
    });
    EXPECT_EQ(module.FindProc("5"), module.FindProc("Add"));
}

TEST_F(Lookup, OrdinalsCountFromTheDirectoryBase) {
    SetExportField<std::uint32_t>(offsetof(pe::ExportDirectory, Base), 1);
    Expect({
        {"1", {2, 3}, 5},
        {"6", kOneToTen, kWeighedOneToTen},
        {"0", {}, std::nullopt},
        {"7", {}, std::nullopt},  // base + number of functions
        {"Add", {2, 3}, 5},
    });
}

TEST_F(Lookup, ANameWithoutAFunctionFallsThroughToALaterEqualName) {
    const pe::ExportDirectory exports = Exports();
    const ImageEditor mapped = Mapped();
    // "Add" is the first name and function; "Mul" follows it directly.
    mapped.Set<std::uint32_t>(exports.AddressOfFunctions, 0);
    Expect({{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}, {"Mul", {6, 7}, 42}});

    const std::uint32_t firstName = mapped.Get<std::uint32_t>(exports.AddressOfNames);
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(mapped.Data() + firstName + 4)), "Mul");
    mapped.Set<char>(firstName + 4, 'A');
    mapped.Set<char>(firstName + 5, 'd');
    mapped.Set<char>(firstName + 6, 'd');
    Expect({{"Add", {6, 7}, 42}, {"Mul", {}, std::nullopt}});
}

// Damage done to the live mapping, and the requests that must still be safe.
struct Damage {
    std::string name;
    std::function<void(const ImageEditor& mapped, std::size_t directory, const pe::ExportDirectory& exports)> patch;
    std::vector<Request> requests;
};

constexpr std::uint32_t kFarAway = 0x7FFFFFF0;

template <class T>
void SetField(const ImageEditor& m, std::size_t directory, std::size_t field, T value) {
    m.Set<T>(directory + field, value);
}

TEST_F(Lookup, DamagedExportTablesYieldNothingAndReadNothingOutside) {
    const std::vector<Damage> cases = {
        {"no MZ", [](const ImageEditor& m, std::size_t, const pe::ExportDirectory&) { m.Set<std::uint16_t>(0, 0); },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"no PE signature",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory&) { m.SetNt<std::uint32_t>(kSignature, 0); },
         {{"Add", {}, std::nullopt}}},
        {"empty export directory",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory&) {
             m.SetNt<std::uint32_t>(DirectorySizeField(pe::kExportDirectory), 0);
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"NT headers outside",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory&) {
             m.Set<std::int32_t>(offsetof(pe::DosHeader, e_lfanew), static_cast<std::int32_t>(m.Size() - 8));
         },
         {{"Add", {}, std::nullopt}}},
        {"directory outside",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory&) {
             m.SetNt<std::uint32_t>(DirectoryAddressField(pe::kExportDirectory), static_cast<std::uint32_t>(m.Size() - 8));
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"function table outside",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField(m, d, offsetof(pe::ExportDirectory, AddressOfFunctions), kFarAway);
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"name table outside",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField(m, d, offsetof(pe::ExportDirectory, AddressOfNames), static_cast<std::uint32_t>(m.Size() - 2));
         },
         {{"Add", {}, std::nullopt}, {"5", {2, 3}, 5}}},
        {"name pointers after the first",  // names are walked one after another instead
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory& e) {
             m.Set<std::uint32_t>(e.AddressOfNames + 4, kFarAway);
         },
         {{"Add", {2, 3}, 5}, {"Mul", {6, 7}, 42}, {"UseTwice", {20}, 41}}},
        {"index table outside",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField(m, d, offsetof(pe::ExportDirectory, AddressOfNameOrdinals), static_cast<std::uint32_t>(m.Size() - 1));
         },
         {{"Add", {}, std::nullopt}}},
        {"function address outside",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory& e) {
             m.Set<std::uint32_t>(e.AddressOfFunctions, static_cast<std::uint32_t>(m.Size()));
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}, {"Mul", {6, 7}, 42}}},
        {"index past the function table",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory& e) {
             m.Set<std::uint16_t>(e.AddressOfNameOrdinals, 0xFFFF);
         },
         {{"Add", {}, std::nullopt}, {"Mul", {6, 7}, 42}}},
        {"no functions",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField<std::uint32_t>(m, d, offsetof(pe::ExportDirectory, NumberOfFunctions), 0);
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"a negative number of functions",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField<std::uint32_t>(m, d, offsetof(pe::ExportDirectory, NumberOfFunctions), 0x80000000);
         },
         {{"Add", {}, std::nullopt}, {"5", {}, std::nullopt}}},
        {"more names than the mapping holds",
         [](const ImageEditor& m, std::size_t d, const pe::ExportDirectory&) {
             SetField<std::uint32_t>(m, d, offsetof(pe::ExportDirectory, NumberOfNames), 0xFFFFFFFF);
         },
         {{"Add", {2, 3}, 5}, {"Nowhere", {}, std::nullopt}}},
        {"names running to the end of the mapping",
         [](const ImageEditor& m, std::size_t, const pe::ExportDirectory& e) {
             const std::uint32_t firstName = m.Get<std::uint32_t>(e.AddressOfNames);
             std::fill(m.Data() + firstName + 4, m.Data() + m.Size(), 'Z');
         },
         {{"Add", {2, 3}, 5}, {"Nowhere", {}, std::nullopt}}},
    };
    const ImageEditor mapped = Mapped();
    const std::vector<std::uint8_t> intact(mapped.Data(), mapped.Data() + mapped.Size());
    const std::size_t directory = ExportDirectory();
    const pe::ExportDirectory exports = Exports();
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        c.patch(mapped, directory, exports);
        Expect(c.requests);
        std::copy(intact.begin(), intact.end(), mapped.Data());
    }
}

}  // namespace
}  // namespace morvane::testing
