#pragma once

#include <QString>

namespace lens {

// The program names its fonts "Arial", "Arial Greek", "Times New Roman", "Times New Roman Greek" and
// "Symbol". These map to installed families with the same metrics and Greek glyphs.
QString fontFamilyFor(const QString& name);
// Registers the same mapping with Qt, so widgets given those names find a Greek-capable family.
void installFontSubstitutions();

} // namespace lens
