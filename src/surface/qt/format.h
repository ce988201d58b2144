#pragma once

#include <QString>

namespace lens {

// A number with a fixed count of decimals, as the read-outs and labels of every screen show it.
inline QString formatFixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

} // namespace lens
