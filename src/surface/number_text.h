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

// v with a fixed count of decimals ("0.00", "0"), never "-0.00".
std::string fixedText(double v, int decimals);

} // namespace lens
