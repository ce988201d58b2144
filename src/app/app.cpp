#include "app/app.h"

#include "app/lens_menu.h"
#include "surface/qt/format.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "singleray/single_ray_screen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <QLabel>
#include <QScrollBar>

namespace lens {

namespace {
constexpr int menuGap = 8; // pixels between the lens screen and the menu beside it

// A window's width with the frame the window system draws around it.
int outerWidth(const ScreenWindow& window)
{
    const QMargins frame = window.frameMarginsNow();
    return window.width() + frame.left() + frame.right();
}
} // namespace

LensBenchApp::LensBenchApp(Dialogs* dialogs) : dialogs_(dialogs)
{
    endProgram = [this] {
        for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{
                 vitrosa_.get(), eisagogiko_.get(), elsahl_.get(), moniaktina_.get()})
            if (screen)
                screen->hide();
        QCoreApplication::exit(0);
    };
}

LensBenchApp::~LensBenchApp() = default;

void LensBenchApp::useDialogs(ScreenWindow& screen) const
{
    if (dialogs_)
        screen.dialogs = dialogs_;
}

BenchScreen& LensBenchApp::vitrosa()
{
    if (!vitrosa_) {
        vitrosa_ = std::make_unique<BenchScreen>(shared);
        useDialogs(*vitrosa_);
        vitrosa_->onIbnSahl = [this] { eisagogiko().Show(); };
        vitrosa_->onSingleRay = [this] { openSingleRay(); };
        vitrosa_->onEnd = [this] { endProgram(); };
        vitrosa_->Form_Load(); // shows the bench; it draws once the window has its size
    }
    return *vitrosa_;
}

LensMenu& LensBenchApp::eisagogiko()
{
    if (!eisagogiko_) {
        eisagogiko_ = std::make_unique<LensMenu>(shared);
        useDialogs(*eisagogiko_);
        eisagogiko_->openLens = [this](bool biconvex) {
            ElSahlScreen& screen = ElSahl();
            screen.reserveRight = outerWidth(*eisagogiko_) + menuGap;
            screen.openFromMenu(biconvex);
        };
        eisagogiko_->showBench = [this] { vitrosa().Show(); };
        placeMenuBesideLensScreen();
    }
    return *eisagogiko_;
}

ElSahlScreen& LensBenchApp::ElSahl()
{
    if (!elsahl_) {
        elsahl_ = std::make_unique<ElSahlScreen>(shared);
        useDialogs(*elsahl_);
        elsahl_->showMenu = [this] { eisagogiko().Show(); };
        elsahl_->onEnd = [this] { endProgram(); };
        // The menu that opened the lens screen stays on view beside it and on top of it.
        elsahl_->onPlaced = [this] {
            if (!eisagogiko_ || !eisagogiko_->isVisible())
                return;
            placeMenuBesideLensScreen();
            eisagogiko_->raise();
        };
    }
    return *elsahl_;
}

SingleRayScreen& LensBenchApp::moniaktina()
{
    if (!moniaktina_) {
        moniaktina_ = std::make_unique<SingleRayScreen>();
        useDialogs(*moniaktina_);
        moniaktina_->onBack = [this] { vitrosa().Show(); };
        moniaktina_->benchDiaphragm = [this] { return vitrosa().diaphragm(); };
    }
    return *moniaktina_;
}

void LensBenchApp::placeMenuBesideLensScreen()
{
    // The hyperbolic-lens screen takes the display's top left corner; the menu waits right of it,
    // so both stay on view together, their buttons uncovered.
    LensMenu& menu = *eisagogiko_;
    QScreen* screen = menu.screen() ? menu.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = menu.frameMarginsNow();
    const int menuWidth = outerWidth(menu);
    ElSahlScreen& lensScreen = ElSahl();
    lensScreen.reserveRight = menuWidth + menuGap;
    const QRect lensClient = lensScreen.isVisible() && !lensScreen.placing()
                                 ? lensScreen.geometry()
                                 : ElSahlScreen::placement(area, frame, lensScreen.menuBarHeight(), menuWidth + menuGap);
    const int left = std::min(lensClient.right() + frame.right() + 1 + menuGap, area.right() + 1 - menuWidth);
    menu.move(std::max(area.left(), left), area.top() + area.height() / 8);
}

void LensBenchApp::openSingleRay()
{
    SingleRayScreen& view = moniaktina();
    vitrosa().Hide();
    view.openFromBench();
}

void LensBenchApp::Main()
{
    // 1. The hyperbolic-lens screen, hidden, with its diaphragm out of the way at x = 200.
    ElSahlScreen& elsahl = ElSahl();
    *elsahl.Line1 = LineControl{200, 200, 200, 10, elsahl.Line1->BorderColor, elsahl.Line1->BorderWidth, true};
    *elsahl.Line2 = LineControl{200, -200, 200, -10, elsahl.Line2->BorderColor, elsahl.Line2->BorderWidth, true};
    // 2. The bench, first on view.
    vitrosa().Show();
    // 3. The lens menu, hidden, with its first label.
    LensMenu& menu = eisagogiko();
    shared.lensindex = menu.deiktissahl->value() / 100.0;
    menu.Label1->setText(QStringLiteral("Index of Refraction n=") + formatFixed(shared.lensindex, 2));
    shared.lensindex = menu.deiktissahl->value() / 100.0;
}

} // namespace lens
