#include "singleray/single_ray_screen.h"

#include "singleray/single_ray_view.h"

#include "surface/qt/command_button.h"
#include "surface/qt/format.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

#include <cmath>

namespace lens {

SingleRayScreen::SingleRayScreen()
{
    setCaption(QStringLiteral("ΜΙΑ ΑΚΤΙΝΑ"));
    surface().BackColor = colours::white;
    surface().Cls();

    aktina2 = makeScrollBar(Qt::Horizontal, 0, 500, 1, 100);
    Text5 = makeReadOut(QApplication::font());
    aktina1 = makeScrollBar(Qt::Horizontal, 50, 500, 40, 90);
    Text6 = makeReadOut(QApplication::font());
    deiktisdiathlasis = makeScrollBar(Qt::Horizontal, 40, 250, 10, 150);
    Text2 = makeReadOut(QApplication::font());
    kentrokykloy = makeScrollBar(Qt::Horizontal, 0, 500, 40, 100);
    Text7 = makeReadOut(QApplication::font());
    Text7->setFont(controlFont(QStringLiteral("Arial Greek"), 8.25));
    Command1 = new CommandButton(QStringLiteral("Πίσω"));
    placeTwips({{aktina2, 0, 0, 2775, 375}, {Text5, 2760, 0, 1335, 375}, {aktina1, 0, 360, 2775, 375},
                {Text6, 2760, 360, 1335, 375}, {deiktisdiathlasis, 0, 720, 2415, 375}, {Text2, 2520, 720, 2175, 375},
                {kentrokykloy, -120, 1080, 2655, 375}, {Text7, 2520, 1080, 3135, 375}, {Command1, 4200, 120, 1335, 495}});

    fos = &canvas().addShape();
    fos->kind = ShapeControl::circle;
    fos->filled = true;

    Text5->setText(QStringLiteral("Ακτίνα 2 =") + formatFixed(aktina2->value(), 0));
    Text6->setText(QStringLiteral("Ακτίνα 1 =") + formatFixed(aktina1->value(), 0));
    Text7->setText(QStringLiteral("Κέντρο δεξιά=") + formatFixed(kentrokykloy->value(), 0));
    Text2->setText(QStringLiteral("Index of Refraction n = ") + formatFixed(lens().refindex, 2));

    QObject::connect(Command1, &QPushButton::clicked, this, [this] {
        Hide();
        if (onBack)
            onBack();
    });
    auto onChange = [this](QScrollBar* bar, void (SingleRayScreen::*handler)()) {
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this, handler] { (this->*handler)(); });
    };
    onChange(aktina1, &SingleRayScreen::aktina1_Change);
    onChange(aktina2, &SingleRayScreen::aktina2_Change);
    onChange(kentrokykloy, &SingleRayScreen::kentrokykloy_Change);
    onChange(deiktisdiathlasis, &SingleRayScreen::deiktisdiathlasis_Change);
    onClear = [this] { lensRefresh(); };
    canvas().onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    canvas().onMouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
    setTabChain({aktina2, aktina1, deiktisdiathlasis, kentrokykloy, Command1});
    setToolTips({
        {aktina2, "Ακτίνα του αριστερού κύκλου.\nRadius of the left circle."},
        {aktina1, "Ακτίνα του δεξιού κύκλου.\nRadius of the right circle."},
        {deiktisdiathlasis, "Δείκτης διάθλασης του φακού.\nIndex of refraction of the lens."},
        {kentrokykloy, "Κέντρο του δεξιού κύκλου.\nCentre of the right circle."},
        {Command1, "Πίσω στον πάγκο.\nBack to the bench."},
    });
    for (auto [readOut, bar] : {std::pair{Text5, aktina2}, std::pair{Text6, aktina1}, std::pair{Text2, deiktisdiathlasis},
                                std::pair{Text7, kentrokykloy}})
        readOut->setToolTip(bar->toolTip());
    canvas().setToolTip(QStringLiteral(
        "Shift+πάτημα: η πηγή· σύρε για να σημαδέψεις και άφησε: η ακτίνα. Δεξί κλικ: αποθήκευση, αντιγραφή.\n"
        "Shift+press: the source; drag to aim and release: the ray. Right-click: save, copy."));

    setClientTwips(6630, 3225);
}

void SingleRayScreen::openFromBench()
{
    // The whole display; the coordinates are set from the display's size once the window has
    // its own.
    showPlaced(coverAvailableArea, [this] {
        const QSize display = displayTwips(this);
        const double Ws = display.width(), Hs = display.height(), S = Ws + Hs;
        Surface& s = surface();
        s.Scale(-600 * Ws / S, 600 * Hs / S, 600 * Ws / S, -600 * Hs / S);
        // The source marker keeps its design size and place, in the new user units.
        auto at = [this](double twips) { return QPointF(twipsToPixels(twips, this), twipsToPixels(twips, this)); };
        const QPointF corner = canvas().userAt(QPointF(at(1080).x(), at(2160).y())), origin = canvas().userAt({0, 0});
        const QPointF size = canvas().userAt(at(135)) - origin;
        fos->Left = corner.x();
        fos->Top = corner.y();
        fos->Width = std::abs(size.x());
        fos->Height = std::abs(size.y());
        redrawScene = [this] { redrawPicture(); };
        lensRefresh();
    });
}

singleray::ViewControls SingleRayScreen::controls() const
{
    return {aktina1->value(), aktina2->value(), kentrokykloy->value(), deiktisdiathlasis->value()};
}

spherical::LensState SingleRayScreen::lens() const
{
    return singleray::viewLens(controls());
}

void SingleRayScreen::lensRefresh()
{
    lastRay.reset();
    singleray::drawViewLens(surface(), lens());
    canvas().update();
}

QPointF SingleRayScreen::sourceCentre() const
{
    const UserPoint centre = centreOf(*fos);
    return {centre.x, centre.y};
}

void SingleRayScreen::miaaktina(double x1, double y1, double x2, double y2)
{
    const QPointF source = sourceCentre();
    const spherical::Diaphragm diaphragm = benchDiaphragm ? benchDiaphragm() : spherical::Diaphragm{};
    singleray::miaaktina(surface(), lens(), diaphragm, source.x(), source.y(), x1, y1, x2, y2);
    canvas().update();
}

void SingleRayScreen::sendRay(double x, double y)
{
    surface().Cls();
    const QPointF source = sourceCentre();
    surface().Line(source.x(), source.y(), x, y, colours::black);
    miaaktina(source.x(), source.y(), x, y);
    lastRay = QPointF(x, y);
}

void SingleRayScreen::redrawPicture()
{
    const auto ray = lastRay;
    lensRefresh();
    if (ray)
        sendRay(ray->x(), ray->y());
}

void SingleRayScreen::Form_MouseDown(int, int shift, double x, double y)
{
    if (shift != 1 || !std::isfinite(x) || !std::isfinite(y))
        return;
    centreOn(*fos, x, y); // the ray leaves the marker's centre, so that is where the pointer was
    canvas().update();
}

void SingleRayScreen::Form_MouseUp(int, int shift, double x, double y)
{
    if (shift != 1 || !std::isfinite(x) || !std::isfinite(y))
        return;
    sendRay(x, y);
}

void SingleRayScreen::aktina1_Change()
{
    Text6->setText(QStringLiteral("Ακτίνα 1 =") + formatFixed(aktina1->value(), 0));
    lensRefresh();
}

void SingleRayScreen::aktina2_Change()
{
    Text5->setText(QStringLiteral("Ακτίνα 2 =") + formatFixed(aktina2->value(), 0));
    lensRefresh();
}

void SingleRayScreen::kentrokykloy_Change()
{
    Text7->setText(QStringLiteral("Κέντρο δεξιά=") + formatFixed(kentrokykloy->value(), 0));
    lensRefresh();
}

void SingleRayScreen::deiktisdiathlasis_Change()
{
    Text2->setText(QStringLiteral("Index of refraction n= ") + formatFixed(lens().refindex, 2));
    // The foci and the ray on view follow the new index at once.
    if (isVisible())
        redrawPicture();
}

} // namespace lens
