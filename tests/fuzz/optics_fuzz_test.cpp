#include "optics_harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <vector>

namespace {

// Seeded cases of random bytes, so a failure comes back on every run; bounded in number and in time.
TEST(OpticsFuzz, SeededCasesDrawOnlyFiniteBoundedPictures)
{
    std::mt19937_64 random(20260801);
    const auto start = std::chrono::steady_clock::now();
    constexpr int cases = 20000;
    int run = 0;
    for (; run < cases && std::chrono::steady_clock::now() - start < std::chrono::seconds(6); ++run) {
        std::vector<std::uint8_t> bytes(16 + random() % 96);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        const std::string problem = lens::fuzz::runOpticsCase(bytes.data(), bytes.size());
        ASSERT_TRUE(problem.empty()) << "case " << run << ": " << problem;
    }
    EXPECT_GT(run, 500); // enough cases ran to mean something
}

} // namespace
