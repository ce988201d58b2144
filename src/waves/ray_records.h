#pragma once

// The ray record table: per recorded ray its way to the lens, through the glass and beyond, where it
// stands in its bundle, and the path a wave point follows along it.
#include "optics/ray_path.h"
#include "waves/bench_scene.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace lens::waves {

inline constexpr int rayTableLast = 1500;      // ray record table: rays 0..1500
inline constexpr int startTableLast = 450;     // start points of a parallel beam: 0..450

// The ray record table: per recorded ray its way to the lens, through the glass and beyond.
// Rows at or above raycount hold what earlier pictures left there.
struct RayRecords {
    static constexpr std::size_t rows = rayTableLast + 1;
    static constexpr std::size_t startRows = startTableLast + 1;

    int raycount = 0; // rays recorded; the next ray goes into this row
    std::array<double, rows> entryx{}, entryy{};     // where the ray meets the first surface
    std::array<double, rows> dirx0{}, diry0{};       // unit direction before the lens
    std::array<double, rows> entrytime{};            // travel time in air to the entry (distance / 250)
    std::array<float, rows> dirxglass{}, diryglass{};// direction inside the glass, as refracted
    std::array<double, rows> exitx{}, exity{};       // where the ray leaves the glass
    std::array<double, rows> glasslength{};          // entry to exit
    std::array<double, rows> dirx1{}, diry1{};       // direction after the lens
    std::array<double, startRows> startx{}, starty{};// start point of a beam ray (parallel mode only)
    // Optical path a beam ray has covered at its start, counted from the beam's plane front (parallel mode
    // only): a ray that starts where its line enters the view sets out ahead of or behind that plane.
    std::array<double, startRows> startpath{};
    // A blade that stops the light after it has entered the glass, and the optical path from the start
    // to it: the light goes no further, so neither do its marks or its fronts.
    std::array<bool, rows> bladestop{};
    std::array<double, rows> bladepath{};
    // Where each recorded ray stands in the bundle that sent it (the fan's or the beam's own count, rays
    // that were not recorded included), so fronts join only rays that are neighbours in the bundle.
    std::array<int, rows> bundleindex{};
    int bundlerays = 0;    // rays the bundle sent
    bool fullturn = false; // a fan all round the source: its last ray is the first ray's neighbour

    // Starts a new bundle of the given size: nothing recorded yet.
    void startBundle(int rays, bool turn);
    // Notes the bundle position of the ray just traced, when it was recorded into row.
    void placeInBundle(int row, int position);

    static bool inTable(int i) { return i >= 0 && i <= rayTableLast; }
    static bool inStartTable(int i) { return i >= 0 && i <= startTableLast; }
    // Rows 0..recorded() − 1 hold the rays of the current picture (raycount kept within the table).
    int recorded() const;
};

// The pairs of recorded rows whose wave points are joined into a front: rays next to each other in
// their bundle, and the last and first rays of a fan all round the source. Rows that follow each other
// only because the rays between them were lost (a blade, a miss, total internal reflection) are not
// joined.
struct FrontJoin { int from = 0, to = 0; };
std::vector<FrontJoin> frontJoins(const RayRecords&);
// The same joins by row: for each of the first rows rows, the rows before it whose points are joined to its
// own (so a row's point is drawn before it is joined to).
std::vector<std::vector<int>> frontJoinsByRow(const RayRecords&, int rows);

// A point on a ray, in user units, and the path a recorded ray's wave points follow.
using RayPathPoint = optics::Direction;
using RecordedPath = optics::RayPath;
// The path of row i from (sx, sy); no value for a row outside the table or a path that is not finite.
std::optional<RecordedPath> recordedPath(const RayRecords&, int i, double sx, double sy, double n);

} // namespace lens::waves
