#pragma once
// The bench's mouse in plain functions: the objects a press can pick up, the pointer shape over
// them, and where a drop puts them. The screen forwards its events here and applies the results
// (it sets the hidden scroll bars, whose handlers redraw).
#include "spherical/spherical_lens.h"
#include "surface/blades.h"
#include "surface/controls.h"
#include "surface/surface.h"

namespace lens::bench {

// The seven drag flags; a press sets at most one and the release clears it.
struct DragFlags {
    bool dragLine1 = false, dragLine2 = false;
    bool dragCentreA = false, dragCentreB = false;
    bool dragRadiusA = false, dragRadiusB = false;
    bool dragSource = false;
    bool any() const { return dragLine1 || dragLine2 || dragCentreA || dragCentreB || dragRadiusA || dragRadiusB || dragSource; }
};

enum class BenchObject { none, upperBlade, lowerBlade, centreA, centreB, edgeA, edgeB };

// The first object under (X, Y), tested in the order upper blade, lower blade, centre A, centre B,
// edge A, edge B, every bound strict.
BenchObject objectAt(const Surface& view, const LineControl& line1, const LineControl& line2,
                     const spherical::LensState& lens, double X, double Y);

// Shift alone: the Shift state is exactly 1.
inline bool shiftAlone(int shift) { return shift == 1; }

// A press: picks up the object under the pointer, or with Shift alone on empty space starts moving
// the source. Returns what was picked (none for the source or for nothing).
BenchObject pressOnBench(DragFlags& drag, const Surface& view, const LineControl& line1, const LineControl& line2,
                         const spherical::LensState& lens, int shift, double X, double Y);

// The pointer while the mouse moves: 2 (cross-hair) over or dragging a blade or a centre, 9 (west–east
// arrow) over or dragging an edge, else 0.
int pointerOnBench(const DragFlags& drag, BenchObject over);

// What a release does.
struct BenchDrop {
    enum Kind { nothing, blades, centreA, centreB, radiusA, radiusB, source } kind = nothing;
    int scrollValue = 0; // the hidden scroll bar's new value for a centre or a radius
};
// Drops a bench blade as dropBlade does; a tip left on its own side of the axis takes the other tip to
// its mirror image, so that dragging a tip toward the axis closes the diaphragm evenly.
void dropBenchBlade(Blade dragged, LineControl& line1, LineControl& line2, const Surface& view, double X, double Y);

// Drops what is being dragged at (X, Y): the blades are moved here; a centre or a radius is given
// as the value of its hidden scroll bar, held within the bar's range. Clears the flag.
BenchDrop releaseOnBench(DragFlags& drag, const Surface& view, LineControl& line1, LineControl& line2,
                         const spherical::LensState& lens, double X, double Y);

} // namespace lens::bench
