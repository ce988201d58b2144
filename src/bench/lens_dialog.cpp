#include "bench/lens_dialog.h"

#include "waves/cardinal_points.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens {

namespace {

QSpinBox* barField(bench::Bar bar, int value)
{
    const bench::BarRange range = bench::rangeOf(bar);
    auto* field = new QSpinBox;
    field->setRange(range.min, range.max);
    field->setValue(value);
    return field;
}

QDoubleSpinBox* numberField(double low, double high, double value, int decimals = 2)
{
    auto* field = new QDoubleSpinBox;
    field->setDecimals(decimals);
    field->setRange(low, high);
    field->setSingleStep(decimals >= 2 ? 0.01 : 1);
    field->setValue(value);
    return field;
}

QString fixed(double v) { return QString::number(v, 'f', 2); }

// The field's value, or the exact value it was filled with while it still shows that.
double kept(const QDoubleSpinBox* field, double exact)
{
    return std::fabs(field->value() - exact) <= 0.5 * std::pow(10.0, -field->decimals()) ? exact : field->value();
}

} // namespace

LensValues lensValuesOf(const bench::BenchModel& model)
{
    using bench::Bar;
    LensValues v;
    v.centreA = model.value(Bar::kentrokykloy2), v.radiusA = model.value(Bar::aktina1);
    v.centreB = model.value(Bar::kentrokykloy), v.radiusB = model.value(Bar::aktina2);
    v.index = model.value(Bar::deiktisdiathlasis);
    v.diaphragm = model.diaphragm();
    v.light = model.light();
    return v;
}

LensDialog::LensDialog(const LensValues& v, const Surface& view, QWidget* parent) : QDialog(parent), original_(v)
{
    using bench::Bar;
    setWindowTitle(QStringLiteral("Φακός / Lens"));
    const double left = std::min(view.ScaleLeft(), view.ScaleLeft() + view.ScaleWidth());
    const double right = std::max(view.ScaleLeft(), view.ScaleLeft() + view.ScaleWidth());
    const double bottom = std::min(view.ScaleTop(), view.ScaleTop() + view.ScaleHeight());
    const double top = std::max(view.ScaleTop(), view.ScaleTop() + view.ScaleHeight());

    centreA = barField(Bar::kentrokykloy2, v.centreA);
    radiusA = barField(Bar::aktina1, v.radiusA);
    centreB = barField(Bar::kentrokykloy, v.centreB);
    radiusB = barField(Bar::aktina2, v.radiusB);
    const bench::BarRange n = bench::rangeOf(Bar::deiktisdiathlasis);
    index = numberField(n.min / 100.0, n.max / 100.0, v.index / 100.0);
    stopX = numberField(left, right, std::clamp(v.diaphragm.x, left, right));
    upperTip = numberField(bottom, top, std::clamp(v.diaphragm.upperTip, bottom, top));
    lowerTip = numberField(bottom, top, std::clamp(v.diaphragm.lowerTip, bottom, top));
    sourceX = numberField(left, right, std::clamp(v.light.x, left, right));
    sourceY = numberField(bottom, top, std::clamp(v.light.y, bottom, top));
    beamDegrees = numberField(-89.99, 89.99, v.light.angle * 180 / std::numbers::pi);
    source = new QRadioButton(QStringLiteral("Πηγή / Source"));
    beam = new QRadioButton(QStringLiteral("Δέσμη / Beam"));
    (v.light.beam ? beam : source)->setChecked(true);
    derived = new QLabel;

    auto* lens = new QGroupBox(QStringLiteral("Φακός / Lens"));
    auto* lensForm = new QFormLayout(lens);
    lensForm->addRow(QStringLiteral("Κέντρο κύκλου A / Centre of circle A"), centreA);
    lensForm->addRow(QStringLiteral("Ακτίνα A / Radius A"), radiusA);
    lensForm->addRow(QStringLiteral("Κέντρο κύκλου B / Centre of circle B"), centreB);
    lensForm->addRow(QStringLiteral("Ακτίνα B / Radius B"), radiusB);
    lensForm->addRow(QStringLiteral("Δείκτης διάθλασης / Index of refraction n"), index);
    lensForm->addRow(derived);
    auto* stop = new QGroupBox(QStringLiteral("Διάφραγμα / Diaphragm"));
    auto* stopForm = new QFormLayout(stop);
    stopForm->addRow(QStringLiteral("x"), stopX);
    stopForm->addRow(QStringLiteral("Άκρη πάνω / Upper tip"), upperTip);
    stopForm->addRow(QStringLiteral("Άκρη κάτω / Lower tip"), lowerTip);
    auto* light = new QGroupBox(QStringLiteral("Φως / Light"));
    auto* lightForm = new QFormLayout(light);
    lightForm->addRow(source);
    lightForm->addRow(QStringLiteral("x"), sourceX);
    lightForm->addRow(QStringLiteral("y"), sourceY);
    lightForm->addRow(beam);
    lightForm->addRow(QStringLiteral("Γωνία / Angle (°)"), beamDegrees);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Εντάξει / OK"));
    buttons->button(QDialogButtonBox::Apply)->setText(QStringLiteral("Εφαρμογή / Apply"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Άκυρο / Cancel"));
    QObject::connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] {
        if (onApply)
            onApply(values());
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (onApply)
            onApply(values());
        accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lens);
    layout->addWidget(stop);
    layout->addWidget(light);
    layout->addWidget(buttons);

    for (QSpinBox* field : {centreA, radiusA, centreB, radiusB})
        QObject::connect(field, &QSpinBox::valueChanged, this, [this] { showDerived(); });
    QObject::connect(index, &QDoubleSpinBox::valueChanged, this, [this] { showDerived(); });
    // A place typed chooses the source, an angle typed the beam.
    for (QDoubleSpinBox* field : {sourceX, sourceY})
        QObject::connect(field, &QDoubleSpinBox::valueChanged, this, [this] { source->setChecked(true); });
    QObject::connect(beamDegrees, &QDoubleSpinBox::valueChanged, this, [this] { beam->setChecked(true); });
    showDerived();
}

LensValues LensDialog::values() const
{
    LensValues v;
    v.centreA = centreA->value(), v.radiusA = radiusA->value();
    v.centreB = centreB->value(), v.radiusB = radiusB->value();
    v.index = static_cast<int>(std::lround(index->value() * 100));
    const optics::Stop& stop = original_.diaphragm;
    const optics::Light& light = original_.light;
    const double upper = kept(upperTip, stop.upperTip);
    v.diaphragm = {kept(stopX, stop.x), upper, std::min(kept(lowerTip, stop.lowerTip), upper)};
    const double degrees = light.angle * 180 / std::numbers::pi;
    const double angle = kept(beamDegrees, degrees) == degrees ? light.angle : beamDegrees->value() * std::numbers::pi / 180;
    v.light = {beam->isChecked(), kept(sourceX, light.x), kept(sourceY, light.y), angle};
    return v;
}

void LensDialog::showDerived()
{
    const LensValues v = values();
    const waves::CardinalPoints p = waves::cardinalpointsof({double(v.centreA), double(v.radiusA), double(v.centreB),
                                                             double(v.radiusB), v.index / 100.0});
    const QString f = p.f ? fixed(*p.f) : QStringLiteral("—");
    derived->setText(QStringLiteral("Πάχος / thickness d = %1    Εστιακή απόσταση / focal length f = %2").arg(fixed(p.d), f));
}

} // namespace lens
