// The send-time check over bodies of code-page-932-like text with check
// strings that are not in them, so every byte is searched, next to the least
// a pass over the same bytes can cost: memchr from one line feed to the next.
//
// scripts/run-benchmarks.sh runs this and turns its JSON into the table of
// docs/performance.md (throughput, ratio to the memchr pass, peak memory).

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#if defined(VORLENT_WITH_HYPERSCAN)
#include <hs/hs.h>
#endif

#include "allocation_meter.h"
#include "check/check_index.h"
#include "check/first_line_search.h"
#include "check/outgoing_check.h"
#include "cp932_text.h"
#include "memchr_line_pass.h"
#include "plain_check.h"

namespace {

using vorlent::StringSet;

constexpr int kKiB = 1024;
constexpr int kMiB = 1024 * 1024;

const std::string& Body(std::size_t size) {
    static std::map<std::size_t, std::string> bodies;
    auto it = bodies.find(size);
    if (it == bodies.end()) {
        it = bodies.emplace(size, vorlent::bench::MakeBody(size, 1)).first;
    }
    return it->second;
}

const StringSet& CheckStrings(std::size_t count) {
    static std::map<std::size_t, StringSet> sets;
    auto it = sets.find(count);
    if (it == sets.end()) {
        it = sets.emplace(count, vorlent::bench::MakeAbsentStrings(count, 2)).first;
    }
    return it->second;
}

// The body as the host lends it: a NUL-terminated block, its length unknown.
vorlent::BodyText Lent(const std::string& body) {
    return vorlent::BodyText::NulTerminated(body.c_str());
}

void ReportBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["body_bytes"] = static_cast<double>(bytes);
}

// Times one send after another over a body of bodySize bytes.
template <typename Send>
void TimeSends(benchmark::State& state, std::size_t bodySize, const Send& send) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(send());
    }
    ReportBytes(state, bodySize);
}

// Peak heap bytes of one call beyond what was allocated before it.
template <typename Call>
void ReportPeakMemory(benchmark::State& state, const char* counter, Call&& call) {
    const vorlent::bench::AllocationMeter meter;
    call();
    state.counters[counter] = static_cast<double>(meter.PeakBytes());
}

// The physical limit: one memchr pass over the body, stopping at each line
// feed as any line-by-line check has to.
void BM_MemchrLines(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vorlent::bench::MemchrLinePass(body));
    }
    ReportBytes(state, body.size());
}

// For reference: memchr for a byte the body does not hold, which never stops
// and so only measures how fast the bytes can be read.
void BM_MemchrAbsentByte(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(body.data(), '\0', body.size()));
    }
    ReportBytes(state, body.size());
}

// One send as the plug-in makes it with the check strings compiled once at
// start-up: plan against the body, nothing found, no prompt.
void BM_Check(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const StringSet& checks = CheckStrings(state.range(1));
    const vorlent::CheckIndex index(checks);
    const StringSet ignorePrefixes;
    const auto send = [&] { return vorlent::PlanPrompts(Lent(body), index, ignorePrefixes, {}); };
    if (!send().empty()) {
        state.SkipWithError("a check string was found; the body must be searched to its end");
        return;
    }
    ReportPeakMemory(state, "peak_bytes", send);
    // The most a send holds: every string found (at the end of the body).
    std::string bodyWithAll = body;
    for (const std::string& checkString : checks) {
        bodyWithAll += "\r\n" + checkString;
    }
    ReportPeakMemory(state, "peak_bytes_all_found", [&] {
        return vorlent::PlanPrompts(Lent(bodyWithAll), index, ignorePrefixes, {});
    });
    TimeSends(state, body.size(), send);
    state.counters["index_bytes"] = static_cast<double>(index.MemoryBytes());
}

// As above with one of the strings four bytes long, as a word of two kanji
// is: the shortest string limits how sparsely a search can sample the body.
void BM_CheckWithShortString(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    StringSet checks = CheckStrings(state.range(1));
    checks.erase(checks.begin());
    checks.insert(vorlent::bench::MakeAbsentShortString());
    const vorlent::CheckIndex index(checks);
    const StringSet ignorePrefixes;
    const auto send = [&] { return vorlent::PlanPrompts(Lent(body), index, ignorePrefixes, {}); };
    if (!send().empty()) {
        state.SkipWithError("a check string was found; the body must be searched to its end");
        return;
    }
    TimeSends(state, body.size(), send);
}

// The sets of BM_Check (range(2) = range(3) = 0) and BM_CheckShortMix.
StringSet ShortMixSet(const benchmark::State& state) {
    const auto twoByte = static_cast<std::size_t>(state.range(2));
    const auto fourByte = static_cast<std::size_t>(state.range(3));
    StringSet checks = vorlent::bench::MakeAbsentStrings(state.range(1) - twoByte - fourByte, 2);
    checks.merge(vorlent::bench::MakeAbsentKanji(twoByte));
    checks.merge(vorlent::bench::MakeAbsentKanjiPairs(fourByte, 3));
    return checks;
}

// As above with short strings mixed in: range(2) strings of one kanji (two
// bytes) and range(3) of two kanji (four bytes) among range(1) in all.
void BM_CheckShortMix(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const StringSet checks = ShortMixSet(state);
    const vorlent::CheckIndex index(checks);
    const StringSet ignorePrefixes;
    const auto send = [&] { return vorlent::PlanPrompts(Lent(body), index, ignorePrefixes, {}); };
    if (checks.size() != static_cast<std::size_t>(state.range(1)) || !send().empty()) {
        state.SkipWithError("the set must have its size and no string may be found");
        return;
    }
    TimeSends(state, body.size(), send);
}

// The send of BM_Check as it was made before the search found the end of the
// body itself: strlen over the whole body first, then the search reading it
// again.
void BM_CheckMeasuringFirst(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const vorlent::CheckIndex index(CheckStrings(state.range(1)));
    const StringSet ignorePrefixes;
    TimeSends(state, body.size(), [&] {
        return vorlent::PlanPrompts(std::string_view(body.c_str()), index, ignorePrefixes, {});
    });
}

// A 64 MB body whose signature separator stands after its first kilobyte,
// with the separator as a stop prefix (range(0) = 1) or without (0): the
// search ends at the stop line and must not read the rest.
void BM_CheckStopLine(benchmark::State& state) {
    static const std::string body =
        vorlent::bench::MakeBody(kKiB, 7) + "\r\n-- \r\n" + vorlent::bench::MakeBody(64 * kMiB, 1);
    const vorlent::CheckIndex index(CheckStrings(256));
    const StringSet ignorePrefixes;
    const StringSet stopPrefixes = state.range(0) == 1 ? StringSet{"-- "} : StringSet{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            vorlent::FindFirstLines(Lent(body), index, ignorePrefixes, stopPrefixes));
    }
    ReportBytes(state, body.size());
}

#if defined(VORLENT_WITH_HYPERSCAN)
// Hyperscan on the same bodies and sets: the strings compiled as literals
// that report one match each, the body scanned as one block. Lines and
// prompts are not its business, so this is what the search alone costs it.
void BM_Hyperscan(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const StringSet checks = ShortMixSet(state);
    std::vector<const char*> literals;
    std::vector<std::size_t> lengths;
    std::vector<unsigned> flags;
    std::vector<unsigned> ids;
    for (const std::string& checkString : checks) {
        literals.push_back(checkString.data());
        lengths.push_back(checkString.size());
        flags.push_back(HS_FLAG_SINGLEMATCH);
        ids.push_back(static_cast<unsigned>(ids.size()));
    }
    hs_database_t* database = nullptr;
    hs_compile_error_t* error = nullptr;
    if (hs_compile_lit_multi(literals.data(), flags.data(), ids.data(), lengths.data(),
                             static_cast<unsigned>(literals.size()), HS_MODE_BLOCK, nullptr,
                             &database, &error) != HS_SUCCESS) {
        state.SkipWithError(error->message);
        hs_free_compile_error(error);
        return;
    }
    hs_scratch_t* scratch = nullptr;
    hs_alloc_scratch(database, &scratch);
    const auto onMatch = [](unsigned, unsigned long long, unsigned long long, unsigned,
                            void* context) {
        ++*static_cast<std::size_t*>(context);
        return 0;
    };
    std::size_t matches = 0;
    for (auto _ : state) {
        hs_scan(database, body.data(), static_cast<unsigned>(body.size()), 0, scratch, onMatch,
                &matches);
    }
    if (matches != 0) {
        state.SkipWithError("a check string was found; the body must be searched to its end");
    }
    hs_free_scratch(scratch);
    hs_free_database(database);
    ReportBytes(state, body.size());
}
#endif

// As above with quoted lines, which are walked but not searched.
void BM_CheckWithIgnorePrefixes(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const vorlent::CheckIndex index(CheckStrings(state.range(1)));
    const StringSet ignorePrefixes = {">", "|"};
    const auto send = [&] { return vorlent::PlanPrompts(Lent(body), index, ignorePrefixes, {}); };
    ReportPeakMemory(state, "peak_bytes", send);
    TimeSends(state, body.size(), send);
}

// One send that compiles the check strings itself, as a send handed only the
// set does.
void BM_CheckBuildingIndex(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const StringSet& checks = CheckStrings(state.range(1));
    const StringSet ignorePrefixes;
    const auto send = [&] {
        return vorlent::PlanPrompts(Lent(body), vorlent::CheckIndex(checks), ignorePrefixes, {});
    };
    ReportPeakMemory(state, "peak_bytes", send);
    TimeSends(state, body.size(), send);
}

// Compiling the check strings, which the plug-in can do once at start-up.
void BM_BuildIndex(benchmark::State& state) {
    const StringSet& checks = CheckStrings(state.range(0));
    for (auto _ : state) {
        const vorlent::CheckIndex index(checks);
        benchmark::DoNotOptimize(index.Strings().data());
    }
}

// The plain search the one-pass check replaces, for comparison.
void BM_CheckPlain(benchmark::State& state) {
    const std::string& body = Body(state.range(0));
    const StringSet& checks = CheckStrings(state.range(1));
    const StringSet ignorePrefixes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vorlent::plain::PlanPrompts(body, checks, ignorePrefixes, {}));
    }
    ReportBytes(state, body.size());
}

void BodySizes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : {4 * kKiB, 1 * kMiB, 16 * kMiB}) {
        benchmark->Arg(size);
    }
}

void BodySizesAndCounts(benchmark::internal::Benchmark* benchmark) {
    for (const int size : {4 * kKiB, 1 * kMiB, 16 * kMiB}) {
        for (const int count : {1, 16, 256, 4096}) {
            benchmark->Args({size, count});
        }
    }
}

// Sets with strings of one and two kanji: {body, strings, of them 2 bytes,
// of them 4 bytes}.
void ShortMixes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : {1 * kMiB, 16 * kMiB}) {
        for (const int count : {16, 256, 4096}) {
            for (const auto& [twoByte, fourByte] :
                 {std::pair{1, 0}, std::pair{4, 12}, std::pair{10, 0}, std::pair{16, 0}}) {
                benchmark->Args({size, count, twoByte, fourByte});
            }
        }
    }
}

// The sets of BM_Check for a peer that takes BM_CheckShortMix's arguments.
void PlainSetsForPeers(benchmark::internal::Benchmark* benchmark) {
    for (const int size : {1 * kMiB, 16 * kMiB}) {
        for (const int count : {1, 16, 256, 4096}) {
            benchmark->Args({size, count, 0, 0});
        }
    }
}

BENCHMARK(BM_MemchrLines)->Apply(BodySizes);
BENCHMARK(BM_MemchrAbsentByte)->Apply(BodySizes);
BENCHMARK(BM_Check)->Apply(BodySizesAndCounts);
BENCHMARK(BM_CheckWithShortString)->Apply(BodySizesAndCounts);
BENCHMARK(BM_CheckShortMix)->Apply(ShortMixes);
#if defined(VORLENT_WITH_HYPERSCAN)
BENCHMARK(BM_Hyperscan)->Apply(ShortMixes)->Apply(PlainSetsForPeers);
#endif
BENCHMARK(BM_CheckMeasuringFirst)->Args({1 * kMiB, 256})->Args({16 * kMiB, 256});
BENCHMARK(BM_CheckStopLine)->Arg(1)->Arg(0);
BENCHMARK(BM_CheckWithIgnorePrefixes)->Args({16 * kMiB, 256})->Args({16 * kMiB, 4096});
BENCHMARK(BM_CheckBuildingIndex)->Apply(BodySizesAndCounts);
BENCHMARK(BM_BuildIndex)->Arg(1)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_CheckPlain)->Args({1 * kMiB, 1})->Args({1 * kMiB, 16})->Args({1 * kMiB, 256});

}  // namespace

BENCHMARK_MAIN();
