#pragma once

// One fuzz case over the optics: the bytes choose a routine and its arguments, from the values the
// controls allow and far beyond them. Shared by the seeded test and the libFuzzer driver.

#include <cstddef>
#include <cstdint>
#include <string>

namespace lens::fuzz {

// Runs the case the bytes describe; returns what went wrong (empty when nothing did).
std::string runOpticsCase(const std::uint8_t* data, std::size_t size);

} // namespace lens::fuzz
