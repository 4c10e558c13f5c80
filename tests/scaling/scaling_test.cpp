// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader of outside bytes, through its fuzz target's entry point (tests/fuzz), fed
// hostile shapes of 1, 2, 4 and 8 MB: its CPU time (the least of a few runs) may grow at most
// about 2.5 times per doubling, as a linear reader's does, counted against the growth of a
// copy of the input so that the step where the input outgrows a cache is not the reader's.

#include <cmath>
#include <cstdint>
#include <ctime>
#include <gtest/gtest.h>
#include <malloc.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A hostile input: a prefix, then one unit again and again up to the size, then a suffix.
// clang-format off
struct Shape { const char *name, *prefix, *unit, *suffix; };
const Shape kShapes[] = {
    {"unclosed <", "", "<", ""}, {"runs of =", "<a ", "=", ">"},
    {"values without blanks", "<a ", "h=''", ">"}, {"runs of /", "<a href=http://e.com", "/", ">"},
    {"runs of {", "", "{", "}"}, {"runs of [", "", "[", "]"}, {"runs of &", "", "&", ""},
    {"unclosed quote", "<a href=\"", "x", ""}, {"runs of quotes", "<a href=", "\"", ">"},
    {"one endless line", "a=", "x", ""}, {"runs of ;", "", ";", ""}, {"runs of ,", "", ",", ""},
    {"runs of %u", "", "%u", ""}, {"runs of backslashes", "", "\\", ""},
    {"empty lines", "", "\n", ""}};
// clang-format on

// The shape where the target reads most, after TROV_INPUT_START (CMakeLists.txt).
std::string inputOf(const Shape& shape, std::size_t size) {
    std::string s = std::string(TROV_INPUT_START) + shape.prefix;
    while (s.size() < size)
        s += shape.unit;
    return s + shape.suffix;
}

void readInput(const std::string& in) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(in.data()), in.size());
}

void copyInput(const std::string& in) {
    std::string a = in, b = a;
    asm volatile("" : : "r"(a.data()), "r"(b.data()) : "memory"); // the copies are made
}

// The least CPU time of three runs, in seconds; one run when that alone is long.
double cost(void (*run)(const std::string&), const std::string& input) {
    double least = 1e9;
    for (int i = 0; i < 3 && (i == 0 || least < 1.0); ++i) {
        const std::clock_t started = std::clock();
        run(input);
        least = std::min(least, double(std::clock() - started) / CLOCKS_PER_SEC);
    }
    return least;
}

// The growth per doubling: the slope of a least-squares line through the times' logarithms.
double growthPerDoubling(const std::vector<double>& times) {
    const double n = double(times.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0; // sums of x, y, x*x and x*y
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double x = double(i), y = std::log2(times[i]);
        sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    return std::exp2((n * sxy - sx * sy) / (n * sxx - sx * sx));
}

// A reader this fast at 8 MB is linear: a quadratic one takes seconds at 1 MB already.
constexpr double kFloor = 0.05;

TEST(Scaling, GrowsLinearly) {
    // Freed memory stays, so no run pays the page faults again for what the last one freed.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    for (const Shape& shape : kShapes) {
        std::vector<double> times, copies;
        for (std::size_t mb = 1; mb <= 8; mb *= 2) {
            const std::string input = inputOf(shape, mb << 20);
            if (times.empty())
                readInput(input); // warms the heap up
            times.push_back(cost(readInput, input));
            copies.push_back(cost(copyInput, input));
            ASSERT_LT(times.front(), 1.0) << shape.name << " at 1 MB"; // linear: 0.05
            if (times.size() > 1 && times.back() > kFloor && times.back() > 4 * times.end()[-2])
                break; // a larger input would only take longer
        }
        const double growth = growthPerDoubling(times) / growthPerDoubling(copies) * 2;
        EXPECT_TRUE(growth <= 2.5 || times.back() <= kFloor)
            << shape.name << ": " << times.front() << " s at 1 MB, " << times.back() << " s at "
            << (1 << (times.size() - 1)) << " MB, " << growth << " times per doubling";
    }
}

} // namespace
