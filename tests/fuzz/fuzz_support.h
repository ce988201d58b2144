#pragma once

// What every fuzz case shares: the reader of the case's bytes, the list of problems found, and the
// checks on what reached a drawing device.

#include "surface/recording_device.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>

namespace lens::fuzz {

inline constexpr double inf = std::numeric_limits<double>::infinity();
inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Values at the edges of the controls' ranges and beyond, which the bytes pick from most of the time.
inline constexpr double special[] = {0,    1,     -1,   0.4,    2.5,    1.05,   1.01,   12,    18,    48,   84,   90,
                                     -90,  130,   100,  -100,   -50,    20,     500,    -500,  1e300, -1e300, inf, -inf,
                                     nan,  1e-300, 1e6, -1e6,   1e20,   std::numeric_limits<double>::max(),
                                     -std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(), 45,
                                     -45,  270,   0.5,  1.5};
inline constexpr int specialCount = static_cast<int>(sizeof special / sizeof special[0]);

// Reads the case's choices from its bytes; past the end every choice is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    unsigned byte() { return pos_ < size_ ? data_[pos_++] : 0u; }
    int pick(int count) { return count > 0 ? static_cast<int>(byte() % static_cast<unsigned>(count)) : 0; }
    // A number: one of the special values, one in the controls' ranges, or any bit pattern at all.
    double value()
    {
        const unsigned how = byte();
        if (how < 128)
            return special[how % specialCount];
        if (how < 224) {
            const double unit = (byte() * 256.0 + byte()) / 65535.0; // 0..1
            return -600 + 1200 * unit;
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | byte();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // A number between low and high, either end included.
    double within(double low, double high) { return low + (high - low) * (byte() * 256.0 + byte()) / 65535.0; }
    // A whole number between low and high, either end included.
    int integerWithin(int low, int high) { return low + pick(high - low + 1); }
    int integer() { return static_cast<int>(std::lround(std::fmax(-1e6, std::fmin(1e6, finiteOr(value(), 0))))); }
    static double finiteOr(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Collects what went wrong in one case.
struct Problems {
    std::ostringstream text;
    bool any = false;
    void add(const std::string& what)
    {
        if (!any)
            text << what;
        any = true;
    }
};

// Every primitive finite and no further off the picture than the surface lets it reach.
void checkDevice(const RecordingDevice& device, Problems& problems);

// The cases over the spherical bench's waves, its screen model, the lens screen's model and the
// single-ray view.
void waveRoutines(Input& in, Problems& problems);
void screenModels(Input& in, Problems& problems);

} // namespace lens::fuzz
