#pragma once

namespace lens {

// The values several screens share for the whole run.
struct SharedValues {
    double lensindex = 1.5;     // index of refraction of the hyperbolic lenses (1.00 to 2.50)
    bool biconvexlens = false;  // the hyperbolic-lens screen shows the biconvex lens
};

} // namespace lens
