#pragma once

namespace lens {

// The values several screens share for the whole run.
struct SharedValues {
    double lensindex = 1.5;     // index of refraction of the hyperbolic lenses (1.00 to 2.50)
    double sourcex = 0;         // the point source, in the user coordinates of the screen that set it last
    double sourcey = 0;
    bool biconvexlens = false;  // the hyperbolic-lens screen shows the biconvex lens
    bool parallelmode = false;  // the bench shows a parallel beam rather than a fan from a point
    double bundleangle = 0;     // the bench's beam angle, radians
};

} // namespace lens
