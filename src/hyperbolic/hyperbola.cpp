#include "hyperbolic/hyperbolic_lenses.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <cmath>
#include <numbers>
#include <string>

namespace lens::hyperbolic {

namespace {

std::size_t waveIndex(int i, int k)
{
    // Step-major: the k-th points of neighbouring rays, which a wavefront joins, lie side by side.
    return static_cast<std::size_t>(k) * HyperbolicScene::waveRays + static_cast<std::size_t>(i);
}

bool inWaveTable(const std::vector<double>& column, int i, int k)
{
    return i >= 0 && i <= waveRayLast && k >= 0 && k <= waveStepLast && waveIndex(i, k) < column.size();
}

// Both roots of the line against the hyperbola, as the far and the near helpers share them.
std::optional<double> lineHyperbolaRoot(double m, double k, double b, double a, bool far)
{
    if (!std::isfinite(m) || !std::isfinite(k) || !std::isfinite(b) || !std::isfinite(a) || !(a > 0))
        return std::nullopt;
    const double asymptote = (b / a) * (b / a);
    const double delta = b * b * ((k * k + b * b) / (a * a) - m * m);
    std::optional<double> x;
    if (m * m == asymptote) {
        // Parallel to an asymptote: one crossing, none when the line runs through the centre.
        if (m * k == 0)
            return std::nullopt;
        x = -(k * k + b * b) / (2 * m * k);
    } else if (delta < 0) {
        return std::nullopt;
    } else {
        const double d = m * m - asymptote;
        const double r = std::sqrt(delta);
        if (far)
            x = d > 0 ? (-m * k + r) / d : (-m * k - r) / d;
        else
            x = d > 0 ? (-m * k - r) / d : (-m * k + r) / d;
    }
    if (!std::isfinite(*x))
        return std::nullopt;
    return x;
}

} // namespace

double HyperbolicScene::waveX(int i, int k) const { return inWaveTable(wavex, i, k) ? wavex[waveIndex(i, k)] : 0.0; }

double HyperbolicScene::waveY(int i, int k) const { return inWaveTable(wavey, i, k) ? wavey[waveIndex(i, k)] : 0.0; }

void HyperbolicScene::setWavePoint(int i, int k, double x, double y)
{
    if (!inWaveTable(wavex, i, k) || !inWaveTable(wavey, i, k))
        return;
    wavex[waveIndex(i, k)] = x;
    wavey[waveIndex(i, k)] = y;
}

void HyperbolicScene::clearWavePoints(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, waveRayLast);
    if (first > last)
        return;
    for (int k = 0; k <= waveStepLast; ++k) {
        for (auto* column : {&wavex, &wavey}) {
            const std::size_t from = waveIndex(first, k);
            const std::size_t to = std::min(waveIndex(last, k) + 1, column->size());
            if (from < to)
                std::fill(column->begin() + static_cast<std::ptrdiff_t>(from),
                          column->begin() + static_cast<std::ptrdiff_t>(to), 0.0);
        }
    }
}

void HyperbolicScene::clearRayTable()
{
    raycount = 0;
    sahlentryx.fill(0);
    sahlentryy.fill(0);
    sahlexitx.fill(0);
    sahlexity.fill(0);
    sahldirx.fill(0);
    sahldiry.fill(0);
    raystartx.fill(0);
    raystarty.fill(0);
    biconvexslope.fill(0);
    fanposition.fill(0);
    startpath.fill(0);
    rayrecorded = false;
}

void HyperbolicScene::setFanPosition(int position, double path)
{
    if (!inRayTable(raycount))
        return;
    fanposition[static_cast<std::size_t>(raycount)] = position;
    startpath[static_cast<std::size_t>(raycount)] = std::isfinite(path) ? path : 0.0;
}

double startPath(double xs, double ys, double m)
{
    if (!std::isfinite(m) || !std::isfinite(xs) || !std::isfinite(ys))
        return 0;
    // Along the unit direction of travel u = −(1, m)/√(1 + m²), the start points (130, ±100) span the
    // beam's depth; the one furthest along u is nearest the lens.
    const double norm = std::hypot(1.0, m);
    const double along = -(xs + m * ys) / norm;
    const double nearest = -(130 - std::fabs(m) * 100) / norm;
    return std::fmin(along - nearest, 0.0);
}

double arcsine(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 1)
        return std::numbers::pi / 2;
    if (x <= -1)
        return -std::numbers::pi / 2;
    return std::asin(x);
}

double pointdistance(double x1, double y1, double x2, double y2)
{
    const double dx = x1 - x2, dy = y1 - y2;
    return std::sqrt(dy * dy + dx * dx);
}

std::optional<double> hyperbolalinefar(double m, double k, double b, double a)
{
    return lineHyperbolaRoot(m, k, b, a, true);
}

std::optional<double> hyperbolalinenear(double m, double k, double b, double a)
{
    return lineHyperbolaRoot(m, k, b, a, false);
}

HyperbolicLens lensShape(double a, double b, double n)
{
    HyperbolicLens lens;
    lens.usable = std::isfinite(a) && a > 0 && a < 1e100;
    lens.a = lens.usable ? a : 12;
    lens.b = (std::isfinite(b) && b > 0 && b < 1e100) ? b : 0;
    lens.n = (std::isfinite(n) && n > 0) ? n : 1;
    lens.c = std::sqrt(lens.a * lens.a + lens.b * lens.b);
    lens.rim = lens.b * std::sqrt(15.0);
    lens.normalStep = (4 * lens.a - 11.2 * lens.a) / 700;
    return lens;
}

Refraction refractLine(double phi, double theta, double q)
{
    Refraction out;
    const double cosDiff = std::cos(phi) * std::cos(theta) + std::sin(phi) * std::sin(theta);
    const double sinDiff = std::cos(phi) * std::sin(theta) - std::cos(theta) * std::sin(phi);
    // A ray along the face itself meets the normal at a right angle.
    out.incidence = cosDiff == 0 ? std::copysign(std::numbers::pi / 2, sinDiff) : std::atan(sinDiff / cosDiff);
    const double sine = std::sin(out.incidence) * q;
    if (!(std::fabs(sine) <= 1))
        return out; // totally reflected (or q unusable)
    out.refracted = arcsine(sine);
    out.psi = phi + out.refracted;
    out.passes = true;
    return out;
}

namespace {

// The blanks a typed or pasted answer may carry around the number, UTF-8 encoded: the ASCII ones, and
// the Unicode spaces, line and paragraph separators, no-break spaces and invisible joiners.
constexpr std::string_view blanks[] = {
    " ", "\t", "\n", "\v", "\f", "\r",
    "\u0085", "\u00A0", "\u1680", "\u180E", "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005",
    "\u2006", "\u2007", "\u2008", "\u2009", "\u200A", "\u200B", "\u2028", "\u2029", "\u202F", "\u205F",
    "\u2060", "\u3000", "\uFEFF",
};

std::string_view trimmedAnswer(std::string_view answer)
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

BeamAnswer beamslopefromanswer(std::string_view answer)
{
    BeamAnswer out;
    answer = trimmedAnswer(answer);
    if (answer.empty())
        return out;
    out.kind = AngleAnswer::notANumber;

    std::string text(answer);
    std::replace(text.begin(), text.end(), ',', '.');
    std::size_t start = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        start = 1;
    }
    // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
    if (start >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '.'))
        return out;
    double degrees = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, degrees, std::chars_format::general);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range))
        return out;
    // A number beyond the double range is a number too: far too large, or so small it is an angle of 0.
    if (error == std::errc::result_out_of_range)
        degrees = belowOne(std::string_view(first, last)) ? 0.0 : std::numeric_limits<double>::infinity();
    if (!std::isfinite(degrees) || std::fabs(degrees) > largestBeamAngle) {
        out.kind = AngleAnswer::tooLarge;
        return out;
    }
    if (negative)
        degrees = -degrees;
    out.degrees = degrees;

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

} // namespace lens::hyperbolic
