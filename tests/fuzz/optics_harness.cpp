#include "surface/number_text.h"
#include "optics_harness.h"

#include "fuzz_support.h"

#include "hyperbolic/hyperbolic_lenses.h"
#include "spherical/spherical_lens.h"
#include "surface/recording_device.h"
#include "surface/surface.h"

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

namespace lens::fuzz {

namespace {

constexpr double pi = std::numbers::pi;

} // namespace

void checkDevice(const RecordingDevice& device, Problems& problems)
{
    if (device.nonFinite > 0)
        problems.add("a " + device.firstNonFinite + " reached the device with a coordinate that is not finite");
    const double w = device.width(), h = device.height();
    for (const auto& s : device.segments) {
        // The surface clips every segment to a band around the picture that grows with the pen.
        const double margin = segmentClipMargin(w, h, s.pen.width);
        for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}})
            if (!(x >= -margin && x <= w + margin && y >= -margin && y <= h + margin)) {
                std::ostringstream what;
                what << "a segment reached the device at (" << x << ", " << y << ") on a picture of " << w << " × "
                     << h << " pixels, beyond its clip margin of " << margin;
                problems.add(what.str());
            }
    }
    const auto onReach = [&](double x, double y) {
        return x >= -primitiveReach && x <= w + primitiveReach && y >= -primitiveReach && y <= h + primitiveReach;
    };
    for (const auto& d : device.dots)
        if (!onReach(d.x, d.y))
            problems.add("a dot far off the picture reached the device");
    for (const auto& e : device.ellipses)
        if (!onReach(e.cx, e.cy))
            problems.add("a circle far off the picture reached the device");
    for (const auto& t : device.texts)
        if (!onReach(t.x, t.y))
            problems.add("text far off the picture reached the device");
    for (const auto& f : device.fills)
        if (f.px < 0 || f.py < 0 || f.px >= device.width() || f.py >= device.height())
            problems.add("a fill seed off the picture reached the device");
}

namespace {

// The hyperbolic ray and wave tables: rows within the table, every recorded value finite.
void checkTables(const hyperbolic::HyperbolicScene& s, Problems& problems)
{
    if (s.raycount < 0 || s.raycount > hyperbolic::rayTableLast + 1) {
        problems.add("raycount " + std::to_string(s.raycount) + " outside the ray table");
        return;
    }
    for (int i = 0; i < s.raycount; ++i) {
        const auto r = static_cast<std::size_t>(i);
        for (double v : {s.sahlentryx[r], s.sahlentryy[r], s.sahlexitx[r], s.sahlexity[r], double(s.sahldirx[r]),
                         double(s.sahldiry[r])})
            if (!std::isfinite(v))
                problems.add("ray " + std::to_string(i) + " recorded with a value that is not finite");
        for (int k = 0; k <= hyperbolic::wavePointsPerRay; ++k)
            if (!std::isfinite(s.waveX(i, k)) || !std::isfinite(s.waveY(i, k)))
                problems.add("wave point " + std::to_string(k) + " of ray " + std::to_string(i) + " is not finite");
    }
}

// The glass legs (cyan) of a hyperbolic lens lie inside its outline: x from a to 4a (plano-convex) or 7a.
void checkGlassLegs(const Surface& surface, const RecordingDevice& device, const hyperbolic::HyperbolicLens& lens,
                    bool biconvex, Problems& problems)
{
    const double slack = 0.05; // single precision and a pixel of rounding
    for (const auto& s : device.segmentsIn(colours::cyan))
        for (const auto& [px, py] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
            const double x = surface.userX(px), y = surface.userY(py);
            const bool inside = x >= lens.a - slack && x <= (biconvex ? 7 : 4) * lens.a + slack &&
                                std::fabs(y) <= lens.rim + slack;
            if (!inside) {
                std::ostringstream where;
                where << "a glass leg drawn outside the lens at (" << x << ", " << y << ")";
                problems.add(where.str());
            }
        }
}

void geometryRoutines(Input& in, Problems& problems)
{
    using namespace spherical;
    const double a = in.value(), b = in.value(), c = in.value(), d = in.value();
    const double e = in.value(), f = in.value(), g = in.value(), h = in.value();
    (void)apostasi(a, b, c, d);
    (void)toxoimitono(a);
    (void)prosimo(a);
    (void)estiakiapostasi(a, b, c);
    const SimeiaTomis t1 = tomikyklon(a, b, c, d);
    const SimeiaTomis t2 = tomikyklonschetiki(a, b, c);
    const SimeiaTomis t3 = tomieytheiaskyklou(a, b, c, d, e, f, g);
    const std::pair<const char*, SimeiaTomis> found[] = {{"tomikyklon", t1}, {"tomikyklonschetiki", t2},
                                                         {"tomieytheiaskyklou", t3}};
    for (const auto& [name, t] : found)
        if (t.yparxei && !(std::isfinite(t.x1) && std::isfinite(t.y1) && std::isfinite(t.x2) && std::isfinite(t.y2))) {
            std::ostringstream what;
            what << name << "(" << a << ", " << b << ", " << c << ", " << d << ", " << e << ", " << f << ", " << g
                 << ") reported a point that is not finite";
            problems.add(what.str());
        }
    (void)monadiaio(a, b, c, d, e);
    (void)gonia(a, b, c, d);
    (void)schetikosdeiktis(a, b, c, d, e, f, g, h);
    const Diathlasi r = diathlasi(a, b, c, d, e, f, g, h);
    if (r.egine && !(std::isfinite(r.dx) && std::isfinite(r.dy)))
        problems.add("diathlasi reported a refraction with a direction that is not finite");
    RecordingDevice device(960, 540);
    Surface surface(device);
    surface.Scale(in.value(), in.value(), in.value(), in.value());
    (void)akriothonis(surface, a, b, c, d);
    (void)perasma(a, b, c, d, e, f, g);
    (void)diafragmaano(surface, a, b, c, d, e, f);
    (void)diafragmakato(surface, a, b, c, d, e, f);
}

// A lens of two discs: radius 0, equal centres, one disc inside the other, or any values at all.
struct TwoDiscs {
    double xA, rA, xB, rB;
};
TwoDiscs discs(Input& in)
{
    switch (in.pick(6)) {
    case 0: return {-50, 100, 20, 90};
    case 1: return {-50, 100, 20, 0};
    case 2: return {0, 100, 0, 90};
    case 3: return {-10, 200, 0, 50};
    case 4: return {in.value(), in.value(), in.value(), in.value()};
    default: return {double(-in.integer() % 501), std::fabs(in.value()), double(in.integer() % 501), std::fabs(in.value())};
    }
}

void sphericalLens(Input& in, Problems& problems)
{
    using namespace spherical;
    RecordingDevice device(960, 540);
    Surface surface(device);
    constexpr double W = 960, H = 540, S = W + H;
    surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
    const TwoDiscs l = discs(in);
    const double n = in.value();
    // Sources on a surface, at a centre, at a focus, at the rim, or anywhere.
    const SimeiaTomis rim = tomikyklon(l.xA, l.xB, l.rA, l.rB);
    const double f = estiakiapostasi(l.rA, l.rB, n).value_or(0.0);
    const double angle = in.value();
    double x0 = in.value(), y0 = in.value();
    switch (in.pick(6)) {
    case 0: x0 = l.xA + l.rA * std::cos(angle), y0 = l.rA * std::sin(angle); break;
    case 1: x0 = l.xB, y0 = 0; break;
    case 2: x0 = rim.x1 + f, y0 = 0; break;
    case 3: x0 = rim.x1, y0 = rim.y1; break;
    default: break;
    }
    // Directions: ±90°, along the axis, any angle, or any vector.
    const double degrees = in.pick(2) ? 90.0 * (in.pick(3) - 1) : in.value();
    double dx = std::cos(degrees * pi / 180), dy = std::sin(degrees * pi / 180);
    if (in.pick(4) == 0)
        dx = in.value(), dy = in.value();
    const Diaphragm diaphragm{in.value(), in.value(), in.value()};
    int kind = 0;
    const ProtiTomi hit = prototomi(surface, l.xA, l.xB, l.rA, l.rB, dx, dy, x0, y0, kind);
    if (hit.vrethike && !(std::isfinite(hit.x) && std::isfinite(hit.y)))
        problems.add("prototomi found a point that is not finite");
    const RayPath path = traceRay(surface, diaphragm, LensState{l.xA, l.rA, l.xB, l.rB, n}, x0, y0, dx, dy);
    for (int i = 0; i < path.count; ++i)
        (void)legColour(path.legs[static_cast<std::size_t>(i)]);
    poreiaaktinas(surface, diaphragm, x0, y0, dx, dy, l.xA, l.xB, l.rA, l.rB, n);

    const BenchControls controls{in.integer(), in.integer(), in.integer(), in.integer(), in.integer(), in.value(),
                                 in.value()};
    (void)anaschediasi(surface, controls, [](const DiaphragmFit&) {});
    checkDevice(device, problems);
}

void hyperbolicLens(Input& in, Problems& problems)
{
    using namespace hyperbolic;
    RecordingDevice device(540, 540);
    Surface surface(device);
    surface.Scale(-120, 120, 150, -120);
    HyperbolicScene scene;
    const double indexes[] = {1.0, 1.01, 1.05, 1.2, 1.5, 2.5, 0.4};
    const double n = in.pick(3) ? indexes[in.pick(7)] : in.value();
    scene.in.lensindex = n;
    const double b = in.pick(4) ? 12 * std::sqrt(std::fmax(0.0, n * n - 1)) : in.value();
    const double c = 12 * n;
    // Sources at a focus, at a vertex, on a face, in the glass, or anywhere.
    double x0 = in.value(), y0 = in.value();
    switch (in.pick(7)) {
    case 0: x0 = -c, y0 = 0; break;
    case 1: x0 = 96 + c, y0 = 0; break;
    case 2: x0 = 12, y0 = 0; break;
    case 3: x0 = 48, y0 = in.value(); break;
    case 4: x0 = 30, y0 = 0; break;
    default: break;
    }
    scene.in.light.x = x0;
    scene.in.light.y = y0;
    scene.in.waves.onlyWaves = in.pick(3) == 0;
    scene.in.waves.onlyRays = in.pick(3) == 0;
    if (in.pick(2)) {
        scene.in.diaphragm.x = in.value();
        scene.in.diaphragm.upperTip = in.value();
        scene.in.diaphragm.lowerTip = in.value();
    }
    bool biconvex = in.pick(2) == 1;
    const HyperbolicLens lens = lensShape(12, b, n);
    switch (in.pick(4)) {
    case 0:
        biconvex ? drawbiconvexlens(surface, scene, 12, b, x0, y0) : drawsahllens(surface, scene, 12, b, x0, y0);
        break;
    case 1: {
        // A beam at an angle typed at the prompt, or at any slope at all.
        const BeamAnswer answer = beamslopefromanswer(std::to_string(in.value()));
        const double m = in.pick(2) ? answer.slope : in.value();
        biconvex ? biconvexparallelbeam(surface, scene, 12, b, m) : sahlparallelbeam(surface, scene, 12, b, m);
        break;
    }
    case 2: {
        const double s = in.value(), k = in.value();
        biconvex = true; // the glass legs drawn are the biconvex lens's
        tracebiconvexray(surface, scene, 12, b, x0, y0, s, k);
        (void)biconvexRayPath(lens, scene.in, x0, y0, s, k);
        (void)tracePlanoConvexRay(lens, scene.in, x0, y0, s, k);
        (void)tracePlanoConvexBeamRay(lens, scene.in, x0, y0, s);
        (void)hyperbolalinefar(s, k, b, in.value());
        (void)hyperbolalinenear(s, k, b, in.value());
        (void)arcsine(in.value());
        (void)pointdistance(x0, y0, s, k);
        (void)refractLine(in.value(), in.value(), in.value());
        break;
    }
    default:
        biconvex ? drawbiconvexlens(surface, scene, 12, b, x0, y0) : drawsahllens(surface, scene, 12, b, x0, y0);
        raywavepoints(surface, scene, in.integer() % 700);
        beamwavepoints(surface, scene, in.value(), in.value(), in.integer() % 700);
        redrawwavefronts(surface, scene);
        break;
    }
    checkTables(scene, problems);
    checkDevice(device, problems);
    if (std::isfinite(n) && n >= 1 && std::fabs(b - 12 * std::sqrt(n * n - 1)) < 1e-12)
        checkGlassLegs(surface, device, lens, biconvex, problems);
    if (surface.DrawWidth != 1)
        problems.add("a scene routine left the pen at width " + std::to_string(surface.DrawWidth));
}

void surfaceOperations(Input& in, Problems& problems)
{
    RecordingDevice device(1 + in.pick(1000), 1 + in.pick(1000));
    Surface surface(device);
    surface.Scale(in.value(), in.value(), in.value(), in.value());
    for (int step = 0; step < 8; ++step) {
        surface.DrawWidth = in.pick(8);
        surface.DrawStyle = in.pick(4);
        surface.FillStyle = in.pick(2);
        switch (in.pick(9)) {
        case 0: surface.Line(in.value(), in.value(), in.value(), in.value()); break;
        case 1: surface.LineTo(in.value(), in.value(), colours::red); break;
        case 2: surface.Circle(in.value(), in.value(), in.value()); break;
        case 3: surface.Circle(in.value(), in.value(), in.value(), colours::blue, in.value(), in.value(), in.value()); break;
        case 4: surface.PSet(in.value(), in.value()); break;
        case 5:
            surface.CurrentX = in.value();
            surface.CurrentY = in.value();
            surface.Print("Δείκτης n");
            break;
        case 6: surface.FloodFill(in.integer(), in.integer(), colours::black); break;
        case 7: surface.FloodFillSeedColour(in.integer(), in.integer(), colours::black); break;
        default:
            (void)surface.ScaleX(in.value());
            (void)surface.ScaleY(in.value());
            (void)surface.contains(in.value(), in.value());
            surface.Cls();
            surface.Refresh();
            break;
        }
    }
    checkDevice(device, problems);
}

} // namespace

std::string runOpticsCase(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    Problems problems;
    switch (in.pick(6)) {
    case 0: geometryRoutines(in, problems); break;
    case 1: sphericalLens(in, problems); break;
    case 2: hyperbolicLens(in, problems); break;
    case 3: waveRoutines(in, problems); break;
    case 4: screenModels(in, problems); break;
    default: surfaceOperations(in, problems); break;
    }
    return problems.text.str();
}

} // namespace lens::fuzz
