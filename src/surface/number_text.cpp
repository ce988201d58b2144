#include "surface/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace lens {

namespace {

// The blanks a typed or pasted answer may carry around the number, UTF-8 encoded: the ASCII ones, and
// the Unicode spaces, line and paragraph separators, no-break spaces and invisible joiners.
constexpr std::string_view blanks[] = {
    " ", "\t", "\n", "\v", "\f", "\r",
    "\u0085", "\u00A0", "\u1680", "\u180E", "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005",
    "\u2006", "\u2007", "\u2008", "\u2009", "\u200A", "\u200B", "\u2028", "\u2029", "\u202F", "\u205F",
    "\u2060", "\u3000", "\uFEFF",
};

// Whether a decimal number, written with digits, at most one point and an exponent, and too far from 1
// for a double, lies below 1 (so it is all but zero) rather than above.
bool belowOne(std::string_view number)
{
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    const std::string_view digits = number.substr(0, e);
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.find_first_of("123456789");
    if (first == std::string_view::npos)
        return true;
    // The power of ten of the leading digit, before the exponent.
    long long power = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    long long exponent = 0;
    bool negative = false;
    for (std::size_t i = e + 1; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '-' || c == '+')
            negative = c == '-';
        else
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000'000LL); // far beyond any double
    }
    power += negative ? -exponent : exponent;
    return power < 0;
}


} // namespace

std::string_view trimmedBlanks(std::string_view answer)
{
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const std::string_view blank : blanks) {
            if (answer.starts_with(blank)) {
                answer.remove_prefix(blank.size());
                trimmed = true;
            }
            if (answer.ends_with(blank)) {
                answer.remove_suffix(blank.size());
                trimmed = true;
            }
        }
    }
    return answer;
}

std::optional<double> typedNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double v = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, v, std::chars_format::general);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range))
        return std::nullopt;
    // A number beyond the double range is a number too: far too large, or so small it is 0.
    if (error == std::errc::result_out_of_range)
        v = belowOne(text) ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -v : v;
}

std::optional<double> answeredNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    // The degree sign, and the masculine ordinal that Greek and Spanish keyboards put where it looks alike.
    for (const std::string_view degree : {std::string_view("\u00B0"), std::string_view("\u00BA")})
        if (text.ends_with(degree)) {
            text.remove_suffix(degree.size());
            break;
        }
    std::string number(text);
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos) {
        if (number.find(',', comma + 1) != std::string::npos || number.find('.') != std::string::npos)
            return std::nullopt; // "1,2,3" or "1.000,5": no one reading of it
        number[comma] = '.';
    }
    return typedNumber(number);
}

std::string fixedText(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    std::string out = text;
    // A value that rounds to zero is written without its sign.
    if (out.front() == '-' && out.find_first_of("123456789") == std::string::npos)
        out.erase(0, 1);
    return out;
}

BeamAnswer beamslopefromanswer(std::string_view answer)
{
    BeamAnswer out;
    answer = trimmedBlanks(answer);
    if (answer.empty())
        return out;
    out.kind = AngleAnswer::notANumber;
    const std::optional<double> typed = answeredNumber(answer);
    if (!typed)
        return out;
    const double degrees = *typed;
    out.degrees = degrees;
    if (!std::isfinite(degrees) || std::fabs(degrees) > largestBeamAngle) {
        out.kind = AngleAnswer::tooLarge;
        return out;
    }

    // Whole turns change nothing; taking them off keeps the tangent accurate for large answers.
    const double reduced = std::fmod(degrees, 360.0);
    const double slope = std::tan(reduced * std::numbers::pi / 180);
    // tan(90°) in floating point is about 1.6e16: any slope this steep is a vertical beam.
    constexpr double steepest = 1e6;
    if (!std::isfinite(slope) || std::fabs(slope) > steepest) {
        out.kind = AngleAnswer::vertical;
        return out;
    }
    out.kind = AngleAnswer::beam;
    out.slope = slope;
    return out;
}

std::string angleAnswerMessage(AngleAnswer kind)
{
    switch (kind) {
    case AngleAnswer::beam:
        return {};
    case AngleAnswer::empty:
        return "Δεν δόθηκε γωνία: γράψε μια γωνία σε μοίρες, π.χ. 30.\nNo angle was given: type an angle in degrees, e.g. 30.";
    case AngleAnswer::notANumber:
        return "Η απάντηση δεν είναι γωνία: γράψε έναν αριθμό μοιρών, π.χ. 30 ή 12,5.\n"
               "The answer is not an angle: type a number of degrees, e.g. 30 or 12.5.";
    case AngleAnswer::vertical:
        return "Κατακόρυφη δέσμη (±90°) δεν σχεδιάζεται: δώσε άλλη γωνία.\nA vertical beam (±90°) cannot be drawn: give another angle.";
    case AngleAnswer::tooLarge:
        return std::string(tooLargeAngleMessage);
    case AngleAnswer::outsideRange:
        return "Η γωνία είναι μεταξύ −90° και 90°: δώσε άλλη γωνία.\nThe angle lies between −90° and 90°: give another angle.";
    }
    return {};
}

} // namespace lens
