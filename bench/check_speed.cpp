// The send-time check timed without Google Benchmark, so that the 32-bit
// plug-in's own build can be measured where it runs (under Wine here): the
// same bodies and sets as check_benchmark, each send timed against one memchr
// pass from line feed to line feed over the same body, in the same process,
// and against the same pass made with the check's own byte search.
// Prints a Markdown table; scripts/run-benchmarks.sh i686 builds and runs it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "check/check_index.h"
#include "check/outgoing_check.h"
#include "cp932_text.h"
#include "memchr_line_pass.h"

namespace {

using vorlent::StringSet;
using Clock = std::chrono::steady_clock;

volatile std::size_t g_sink;

// The median of five runs, each repeating the call for at least 0.1 s, in
// seconds per call.
template <typename Call>
double SecondsPerCall(const Call& call) {
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        std::size_t calls = 0;
        const Clock::time_point start = Clock::now();
        Clock::duration elapsed{};
        do {
            g_sink = g_sink + call();
            ++calls;
            elapsed = Clock::now() - start;
        } while (elapsed < std::chrono::milliseconds(100));
        runs.push_back(std::chrono::duration<double>(elapsed).count() / static_cast<double>(calls));
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

std::string Rate(double bytes, double seconds) {
    char text[32];
    const double perSecond = bytes / seconds;
    if (perSecond >= 1e9) {
        std::snprintf(text, sizeof text, "%.2f GB/s", perSecond / 1e9);
    } else {
        std::snprintf(text, sizeof text, "%.0f MB/s", perSecond / 1e6);
    }
    return text;
}

struct Shape {
    std::size_t count;
    std::size_t twoByte;
    std::size_t fourByte;
};

}  // namespace

int main() {
    const std::vector<std::size_t> sizes = {1 << 20, 16 << 20};
    const std::vector<Shape> shapes = {{1, 0, 0},    {16, 0, 0},    {256, 0, 0},   {4096, 0, 0},
                                       {16, 1, 0},   {16, 4, 12},   {16, 10, 0},   {16, 16, 0},
                                       {256, 1, 0},  {256, 4, 12},  {256, 10, 0},  {256, 16, 0},
                                       {4096, 1, 0}, {4096, 4, 12}, {4096, 10, 0}, {4096, 16, 0}};
    std::printf(
        "| body | memchr line pass | line pass by the check's byte search | strlen |\n"
        "|---|---|---|---|\n");
    std::vector<std::string> bodies;
    std::vector<double> limits;
    std::vector<double> ownLimits;
    for (const std::size_t size : sizes) {
        bodies.push_back(vorlent::bench::MakeBody(size, 1));
        const std::string& body = bodies.back();
        limits.push_back(SecondsPerCall([&] { return vorlent::bench::MemchrLinePass(body); }));
        ownLimits.push_back(SecondsPerCall([&] { return vorlent::bench::FindByteLinePass(body); }));
        const double strlenTime = SecondsPerCall([&] { return std::strlen(body.c_str()); });
        std::printf("| %zu MB | %s | %s | %s |\n", size >> 20, Rate(size, limits.back()).c_str(),
                    Rate(size, ownLimits.back()).c_str(), Rate(size, strlenTime).c_str());
    }
    std::printf(
        "\n| body | strings | of them 2 bytes | of them 4 bytes | check "
        "| ratio to memchr line pass | ratio to the check's own line pass |\n"
        "|---|---|---|---|---|---|---|\n");
    for (std::size_t s = 0; s < sizes.size(); ++s) {
        const std::string& body = bodies[s];
        for (const Shape& shape : shapes) {
            StringSet checks =
                vorlent::bench::MakeAbsentStrings(shape.count - shape.twoByte - shape.fourByte, 2);
            checks.merge(vorlent::bench::MakeAbsentKanji(shape.twoByte));
            checks.merge(vorlent::bench::MakeAbsentKanjiPairs(shape.fourByte, 3));
            const vorlent::CheckIndex index(checks);
            const StringSet none;
            const auto send = [&] {
                return vorlent::PlanPrompts(vorlent::BodyText::NulTerminated(body.c_str()), index,
                                            none, none)
                    .size();
            };
            if (checks.size() != shape.count || send() != 0) {
                std::fprintf(stderr, "check_speed: a set of the wrong size, or a string found\n");
                return 1;
            }
            const double time = SecondsPerCall(send);
            std::printf("| %zu MB | %zu | %zu | %zu | %s | %.1f | %.1f |\n", sizes[s] >> 20,
                        shape.count, shape.twoByte, shape.fourByte, Rate(sizes[s], time).c_str(),
                        time / limits[s], time / ownLimits[s]);
        }
    }
    return 0;
}
