#include "app/app.h"

#include "app/help_window.h"
#include "app/lens_menu.h"
#include "surface/qt/format.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "singleray/single_ray_screen.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QUndoStack>
#include <QSignalBlocker>

#include <algorithm>
#include <QLabel>
#include <QScrollBar>

namespace lens {

namespace {
constexpr int menuGap = 8; // pixels between the lens screen and the menu beside it

// A whole number kept in the settings file, or the fallback when the file holds anything else: a
// fraction, text, a list, or a number outside lowest..highest (the range of the control it sets).
int rememberedNumber(const QSettings& settings, const QString& key, int fallback, int lowest, int highest)
{
    const QVariant value = settings.value(key);
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
    case QMetaType::QString:
        number = value.toString().toLongLong(&ok);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        number = value.toLongLong(&ok);
        break;
    default:
        break;
    }
    return ok && number >= lowest && number <= highest ? int(number) : fallback;
}

// A yes or no kept in the settings file: "true" or "false" as QSettings writes them; the fallback otherwise.
bool rememberedChoice(const QSettings& settings, const QString& key, bool fallback)
{
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
    }
    return fallback;
}

int rememberedPosition(const QSettings& settings, const QString& key, const QScrollBar& bar)
{
    return rememberedNumber(settings, key, bar.value(), bar.minimum(), bar.maximum());
}

// A window's width with the frame the window system draws around it.
int outerWidth(const ScreenWindow& window)
{
    const QMargins frame = window.frameMarginsNow();
    return window.width() + frame.left() + frame.right();
}
} // namespace

LensBenchApp::LensBenchApp(Dialogs* dialogs, QSettings* settings)
    : dialogs_(dialogs), settings_(settings), undo_(std::make_unique<QUndoStack>())
{
    // The undo and redo items are offered while there is a step to take.
    QObject::connect(undo_.get(), &QUndoStack::indexChanged, undo_.get(), [this] { showUndoable(); });
    if (settings_)
        viewScale_ = rememberedNumber(*settings_, QStringLiteral("view/scale"), 1, 1, ScreenWindow::largestViewScale);
    endProgram = [this] {
        for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{
                 vitrosa_.get(), eisagogiko_.get(), elsahl_.get(), moniaktina_.get()})
            if (screen)
                screen->hide();
        QCoreApplication::exit(0);
    };
}

LensBenchApp::~LensBenchApp()
{
    undo_->disconnect(); // the screens go first; the stack's last signals must not reach them
}

void LensBenchApp::wire(ScreenWindow& screen)
{
    if (dialogs_)
        screen.dialogs = dialogs_;
    screen.onHelp = [this] { openHelp(); };
    screen.onAbout = [&screen] { showAbout(&screen); };
    screen.onViewScaleAsked = [this](int scale) { setViewScale(scale); };
    screen.setViewScale(viewScale_);
}

HelpWindow& LensBenchApp::openHelp()
{
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    help_->show();
    help_->raise();
    help_->activateWindow();
    return *help_;
}

void LensBenchApp::setViewScale(int scale)
{
    viewScale_ = std::clamp(scale, 1, ScreenWindow::largestViewScale);
    for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{vitrosa_.get(), eisagogiko_.get(), elsahl_.get(),
                                                                       moniaktina_.get()})
        if (screen)
            screen->setViewScale(viewScale_);
    if (settings_)
        settings_->setValue(QStringLiteral("view/scale"), viewScale_);
    // The lens menu grows and shrinks with the view: the lens screen beside it makes room again.
    if (eisagogiko_ && eisagogiko_->isVisible() && elsahl_ && elsahl_->isVisible() && !elsahl_->placing()) {
        elsahl_->reserveRight = outerWidth(*eisagogiko_) + menuGap;
        elsahl_->makeRoomForMenu(); // the menu follows once the screen has its place
    }
}

void LensBenchApp::rememberBench()
{
    BenchScreen& bench = *vitrosa_;
    if (!settings_)
        return;
    QSettings& s = *settings_;
    // The boxes as their handlers would leave them, without their redraws on a bench not yet on view.
    bench.deiktisdiathlasis->setValue(rememberedPosition(s, QStringLiteral("bench/index"), *bench.deiktisdiathlasis));
    const bool onlyWaves = rememberedChoice(s, QStringLiteral("bench/onlyWaves"), false);
    const bool wavesAndRays = !onlyWaves && rememberedChoice(s, QStringLiteral("bench/wavesAndRays"), false);
    if (onlyWaves || wavesAndRays) {
        bench.restoreBoxes(wavesAndRays, onlyWaves);
        bench.desmi1->setValue(onlyWaves ? 100 : 140);
    }
    QObject::connect(bench.deiktisdiathlasis, &QScrollBar::valueChanged, &bench,
                     [this](int value) { settings_->setValue(QStringLiteral("bench/index"), value); });
    const auto keepBoxes = [this, &bench] {
        settings_->setValue(QStringLiteral("bench/wavesAndRays"), bench.Check1->isChecked());
        settings_->setValue(QStringLiteral("bench/onlyWaves"), bench.Check2->isChecked());
    };
    for (QCheckBox* box : {bench.Check1, bench.Check2})
        QObject::connect(box, &QCheckBox::toggled, &bench, keepBoxes);
}

void LensBenchApp::rememberLensMenu()
{
    LensMenu& menu = *eisagogiko_;
    if (!settings_)
        return;
    menu.deiktissahl->setValue(rememberedPosition(*settings_, QStringLiteral("lenses/index"), *menu.deiktissahl));
    QObject::connect(menu.deiktissahl, &QScrollBar::valueChanged, &menu,
                     [this](int value) { settings_->setValue(QStringLiteral("lenses/index"), value); });
}

BenchScreen& LensBenchApp::vitrosa()
{
    if (!vitrosa_) {
        vitrosa_ = std::make_unique<BenchScreen>();
        wire(*vitrosa_);
        vitrosa_->onIbnSahl = [this] { eisagogiko().Show(); };
        vitrosa_->onSingleRay = [this] { openSingleRay(); };
        vitrosa_->onEnd = [this] { endAsked(); };
        wireLessons(*vitrosa_);
        vitrosa_->onLoaded = [this] { keptLesson_ = shownLesson_ = lesson(); };
        vitrosa_->onSettled = [this] { lessonStepEnded(); };
        rememberBench();
        vitrosa_->Form_Load(); // shows the bench; it draws once the window has its size
    }
    return *vitrosa_;
}

LensMenu& LensBenchApp::eisagogiko()
{
    if (!eisagogiko_) {
        eisagogiko_ = std::make_unique<LensMenu>(shared);
        wire(*eisagogiko_);
        eisagogiko_->openLens = [this](bool biconvex) {
            ElSahlScreen& screen = ElSahl();
            screen.reserveRight = outerWidth(*eisagogiko_) + menuGap;
            screen.openFromMenu(biconvex);
        };
        eisagogiko_->showBench = [this] { vitrosa().Show(); };
        // The open hyperbolic lens follows the menu's index at once.
        QObject::connect(eisagogiko_->deiktissahl, &QScrollBar::valueChanged, eisagogiko_.get(), [this] {
            if (elsahl_)
                elsahl_->indexChanged();
        });
        rememberLensMenu();
        placeMenuBesideLensScreen();
    }
    return *eisagogiko_;
}

ElSahlScreen& LensBenchApp::ElSahl()
{
    if (!elsahl_) {
        elsahl_ = std::make_unique<ElSahlScreen>(shared);
        wire(*elsahl_);
        elsahl_->showMenu = [this] { eisagogiko().Show(); };
        elsahl_->onEnd = [this] { endAsked(); };
        wireLessons(*elsahl_);
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
        wire(*moniaktina_);
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
    ElSahl().model.placeDiaphragm(200);
    // 2. The bench, first on view.
    vitrosa().Show();
    // 3. The lens menu, hidden, with its first label.
    LensMenu& menu = eisagogiko();
    shared.lensindex = menu.index();
    menu.Label1->setText(QStringLiteral("Index of Refraction n=") + formatFixed(shared.lensindex, 2));
    menu.fitText(menu.Label1);
}

} // namespace lens
