#pragma once
// Numbers as a user types them and as the program writes them, without Qt: the angle prompts, the
// command line and the read-outs share them.

#include <optional>
#include <string>
#include <string_view>

namespace lens {

// The text without the blanks of every kind around it: ASCII white space, the Unicode spaces, line and
// paragraph separators, no-break spaces and invisible joiners.
std::string_view trimmedBlanks(std::string_view text);

// A number as typed, blanks around it trimmed: an optional sign, digits with at most one point and an
// exponent (no "inf", "nan" or hexadecimal). Beyond a double's range it is an infinity of its sign when
// larger, 0 when smaller. None for any other text.
std::optional<double> typedNumber(std::string_view text);

// One number as a user answers a prompt or gives an option that takes one number: as typedNumber, but a
// lone decimal comma is a decimal point ("12,5" is 12.5, as a Greek keyboard writes it) and a degree sign
// after the number is allowed ("20°" and "20 °" are 20). None for text with both a comma and a point,
// more than one comma, or anything else.
std::optional<double> answeredNumber(std::string_view text);

// What an answer typed at an angle prompt (the beams of the bench and of the lens screen) means.
enum class AngleAnswer {
    beam,       // an angle: degrees and slope are set
    empty,      // nothing but blanks
    notANumber, // text that is not a number of degrees (also "nan" and "inf")
    vertical,   // ±90° and every angle a half turn from them: no finite slope
    tooLarge,   // beyond ±1 000 000°, too large to mean an angle
    outsideRange, // a number, but outside the range a prompt states (the bench's −90 < φ < 90)
};
struct BeamAnswer {
    AngleAnswer kind = AngleAnswer::empty;
    double degrees = 0; // as typed
    double slope = 0;   // Tan(φ·π/180), whole turns taken out first
};
// Largest angle, in degrees either way, that the prompt takes.
inline constexpr double largestBeamAngle = 1e6;
// The answer to an angle beyond it.
inline constexpr std::string_view tooLargeAngleMessage =
    "Πολύ μεγάλη γωνία (πέρα από ±1000000°): δώσε άλλη γωνία.\nThe angle is too large (beyond ±1000000°): give another angle.";
// Parses the answer typed at the angle prompt once (white space of any kind around it, a decimal point
// or comma, an exponent, any number of digits, a degree sign after it; no "inf", "nan" or hexadecimal)
// and says which case it is; degrees holds every number read, even one too large.
// A number too small for a double is an angle of 0; one too large for it is too large an angle.
BeamAnswer beamslopefromanswer(std::string_view answer);
// What a prompt says, Greek then English, to an answer that draws no beam; empty for a beam.
std::string angleAnswerMessage(AngleAnswer kind);

// v with a fixed count of decimals ("0.00", "0"), never "-0.00".
std::string fixedText(double v, int decimals);

} // namespace lens
