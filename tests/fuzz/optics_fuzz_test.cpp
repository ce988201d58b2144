#include "optics_harness.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Seeded cases of random bytes, so a failure comes back on every run; a fixed number of them, so the
// test asks the same of a busy machine as of an idle one.
TEST(OpticsFuzz, SeededCasesDrawOnlyFiniteBoundedPictures)
{
    std::mt19937_64 random(20260801);
    constexpr int cases = 5000;
    for (int run = 0; run < cases; ++run) {
        std::vector<std::uint8_t> bytes(16 + random() % 96);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        const std::string problem = lens::fuzz::runOpticsCase(bytes.data(), bytes.size());
        ASSERT_TRUE(problem.empty()) << "case " << run << ": " << problem;
    }
}

} // namespace
