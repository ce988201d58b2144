#pragma once
// Handouts from the command line: a bench scene written to a PNG, SVG or PDF file without a window.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lens {

// The scene and the file that lensbench --export asks for, each value within the range of the bench's
// control that holds it.
struct HandoutRequest {
    enum Kind { png, svg, pdf };
    std::string file;
    Kind kind = png;
    std::optional<std::pair<double, double>> source; // a fan from this point, in the bench's units
    std::optional<double> beamDegrees;               // a parallel beam; the opening beam at 0° without either
    std::string lesson;                              // a lesson file the scene starts from; empty for none
    std::optional<int> index;                        // the index of refraction in hundredths
    std::optional<std::array<int, 4>> circles;       // centre A, radius A, centre B, radius B
    std::optional<int> rays;                         // the number-of-rays scroll bar
    std::optional<std::array<double, 3>> diaphragm;  // the blades' x, the upper blade's tip, the lower's
    bool waves = false, onlyWaves = false, worksheet = false;
    bool legend = false; // a picture with the legend the window shows on F2, its values and its aberration marks
};

// What is wrong with a command line, in Greek and in English.
struct CommandLineProblem {
    std::string greek, english;
};

// Whether the command line asks for a handout: --export or one of the options that go with it.
bool asksForHandout(int argc, const char* const* argv);
std::variant<HandoutRequest, CommandLineProblem> parseHandout(int argc, const char* const* argv);

// The lines of --help that tell of the handouts.
extern const char* const handoutUsage;

// Draws the scene with the bench's model and writes the file (a QApplication must exist); 0 when written,
// 1 with a message on stderr when the file could not be written.
int writeHandout(const HandoutRequest& request);

} // namespace lens
