#pragma once
// "Φακός… / Lens…": the bench's lens, diaphragm and light typed in, each field held to its control's
// range, with the thickness and the thick-lens focal length shown as the values are typed.

#include "bench/bench_model.h"

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace lens {

// What the dialog gives: the lens bars, the blades and the light.
struct LensValues {
    int centreA = -50, radiusA = 100, centreB = 20, radiusB = 90; // kentrokykloy2, aktina1, kentrokykloy, aktina2
    int index = 150;                                               // deiktisdiathlasis, hundredths
    optics::Stop diaphragm{};
    optics::Light light{};
    bool operator==(const LensValues&) const = default;
};

// The values as the bench holds them, on the view given (for the ranges of positions).
LensValues lensValuesOf(const bench::BenchModel& model);

class LensDialog final : public QDialog {
public:
    // The fields filled from values; positions held within the view's rectangle.
    LensDialog(const LensValues& values, const Surface& view, QWidget* parent = nullptr);
    LensValues values() const;
    // "Apply" and "OK" hand the values over; the bench draws them.
    std::function<void(const LensValues&)> onApply;

    QSpinBox *centreA, *radiusA, *centreB, *radiusB;
    QDoubleSpinBox *index, *stopX, *upperTip, *lowerTip, *sourceX, *sourceY, *beamDegrees;
    QRadioButton *source, *beam;
    QLabel* derived; // thickness and focal length of the lens typed

private:
    void showDerived();
    LensValues original_; // a field left as it was gives back its exact value, not the one it shows
};

} // namespace lens
