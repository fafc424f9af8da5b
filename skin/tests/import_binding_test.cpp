#include <functional>
#include <map>
#include <string>
#include <vector>

#include "skin/tests/loader_test_support.h"

namespace morvane::testing {
namespace {

// What a resolver was asked, and what it answers.
struct ResolverBook {
    struct Request {
        std::string library;
        std::string procedure;
        std::uintptr_t libraryAddress;
        std::uintptr_t procedureAddress;
    };
    std::map<std::string, std::uintptr_t> answers;
    std::vector<Request> requests;
};

// The resolver receives its book as the user value.
std::uintptr_t MORVANE_MODULE_ABI Resolve(const char* library, const char* procedure, ResolverBook* book) {
    book->requests.push_back({library, procedure, reinterpret_cast<std::uintptr_t>(library),
                              reinterpret_cast<std::uintptr_t>(procedure)});
    const auto answer = book->answers.find(procedure);
    return answer == book->answers.end() ? 0 : answer->second;
}

int MORVANE_MODULE_ABI Thrice(int x) {
    return 3 * x;
}

int standInEvents = 0;
void MORVANE_MODULE_ABI NoteEventStandIn(void*, int) {
    ++standInEvents;
}

const std::uintptr_t kResolver = reinterpret_cast<std::uintptr_t>(&Resolve);
const std::uintptr_t kThrice = reinterpret_cast<std::uintptr_t>(&Thrice);

using Binding = LoaderTest;

bool InMapping(std::uintptr_t address, const MemoryModule& module, const RecordingServices& system) {
    return address >= module.BaseAddress() && address < module.BaseAddress() + system.reservations.back().size;
}

TEST_F(Binding, TheResolverIsAskedFirstAndItsAnswerIsBound) {
    ResolverBook book;
    book.answers["17"] = kThrice;
    const auto userValue = reinterpret_cast<std::uintptr_t>(&book);
    ASSERT_TRUE(module.Load(MainFixture(), kResolver, userValue));

    ASSERT_EQ(book.requests.size(), 2u);
    EXPECT_EQ(book.requests[0].library, "fixture_helper.dll");
    EXPECT_EQ(book.requests[0].procedure, "NoteEvent");
    EXPECT_EQ(book.requests[1].library, "fixture_helper.dll");
    EXPECT_EQ(book.requests[1].procedure, "17");
    // Names are handed over where they lie in the mapping.
    EXPECT_TRUE(InMapping(book.requests[0].libraryAddress, module, system));
    EXPECT_TRUE(InMapping(book.requests[0].procedureAddress, module, system));

    // Three meaningful words, seven zeros, for each resolver call.
    std::size_t resolverCalls = 0;
    for (const CallRecord& call : system.calls) {
        if (call.proc != kResolver) continue;
        ++resolverCalls;
        EXPECT_EQ(call.words[2], userValue);
        for (std::size_t k = 3; k < call.words.size(); ++k) EXPECT_EQ(call.words[k], 0u);
    }
    EXPECT_EQ(resolverCalls, 2u);

    // Only the import the resolver left open was looked up, with the same name.
    ASSERT_EQ(system.lookups.size(), 1u);
    EXPECT_EQ(system.lookups[0].name, "NoteEvent");
    EXPECT_EQ(system.lookups[0].nameAddress, book.requests[0].procedureAddress);
    EXPECT_EQ(CallExport("UseTwice", {5}), 3u * 5 + 1);
}

TEST_F(Binding, WhatTheResolverLeavesOpenIsLookedUpByNameOrOrdinal) {
    ResolverBook book;
    for (const bool withResolver : {false, true}) {
        SCOPED_TRACE(withResolver ? "resolver answering 0" : "no resolver");
        system.lookups.clear();
        ASSERT_TRUE(module.Load(MainFixture(), withResolver ? kResolver : 0, reinterpret_cast<std::uintptr_t>(&book)));

        ASSERT_EQ(system.lookups.size(), 2u);
        EXPECT_EQ(system.lookups[0].name, "NoteEvent");
        EXPECT_EQ(system.lookups[0].ordinal, std::nullopt);
        EXPECT_EQ(system.lookups[1].ordinal, std::optional<std::uint16_t>(17));
        EXPECT_EQ(system.openedLibraries.back(), "fixture_helper.dll");
        EXPECT_EQ(CallExport("UseTwice", {5}), 2u * 5 + 1);
    }
    EXPECT_EQ(book.requests.size(), 2u);
}

TEST_F(Binding, AResolverCanStandInForALibraryTheSystemLacks) {
    ByteSet image = MainFixture();
    const ImageEditor file = ImageEditor::OfFile(image);
    file.Set<char>(file.Find("fixture_helper.dll") + 8, 'X');
    ResolverBook book;
    standInEvents = 0;
    book.answers["NoteEvent"] = reinterpret_cast<std::uintptr_t>(&NoteEventStandIn);
    book.answers["17"] = kThrice;

    ASSERT_TRUE(module.Load(image, kResolver, reinterpret_cast<std::uintptr_t>(&book)));
    EXPECT_EQ(book.requests.at(0).library, "fixture_Xelper.dll");
    EXPECT_TRUE(system.lookups.empty());
    EXPECT_EQ(standInEvents, 1);
    EXPECT_EQ(CallExport("UseTwice", {4}), 13u);
}

// Patches that leave one import that nobody can provide.
struct Unresolvable {
    std::string name;
    std::function<void(const ImageEditor&)> patch;
};

std::size_t OrdinalThunk(const ImageEditor& file) {
    const auto descriptor = file.Get<pe::ImportDescriptor>(file.Locate(file.Directory(pe::kImportDirectory).VirtualAddress));
    for (std::size_t at = file.Locate(descriptor.FirstThunk);; at += sizeof(pe::NativeFormat::Thunk)) {
        const auto thunk = file.Get<pe::NativeFormat::Thunk>(at);
        if (thunk == 0) throw std::runtime_error("no ordinal import");
        if (thunk & pe::NativeFormat::kOrdinalFlag) return at;
    }
}

TEST_F(Binding, OneUnresolvableImportFailsTheLoadAndReleasesTheMemory) {
    const std::vector<Unresolvable> cases = {
        {"unknown name", [](const ImageEditor& f) { f.Set<char>(f.Find("NoteEvent") + 8, 'X'); }},
        {"unknown ordinal",
         [](const ImageEditor& f) { f.Set(OrdinalThunk(f), pe::NativeFormat::kOrdinalFlag | 18); }},
        {"unknown library", [](const ImageEditor& f) { f.Set<char>(f.Find("fixture_helper.dll") + 8, 'X'); }},
    };
    for (const Unresolvable& c : cases) {
        SCOPED_TRACE(c.name);
        ByteSet image = MainFixture();
        c.patch(ImageEditor::OfFile(image));
        system.calls.clear();

        EXPECT_FALSE(module.Load(image));
        EXPECT_EQ(module.BaseAddress(), 0u);
        EXPECT_FALSE(system.reservations.empty());
        EXPECT_TRUE(system.Outstanding().empty());
        EXPECT_TRUE(system.calls.empty());
        EXPECT_TRUE(HelperEvents().empty());
    }
}

}  // namespace
}  // namespace morvane::testing
