#pragma once

#include "surface/shared_values.h"

#include <functional>
#include <memory>

class QSettings;

namespace lens {

class BenchScreen;
class LensMenu;
class ElSahlScreen;
class SingleRayScreen;
class Dialogs;
class ScreenWindow;
class HelpWindow;

// The whole program: its shared values and its four screens, each created once and afterwards only
// shown and hidden, and the ways between them.
class LensBenchApp {
public:
    // With settings, the program starts with the index of refraction, the check boxes and the
    // projector view it had last, and keeps them as they change.
    explicit LensBenchApp(Dialogs* dialogs = nullptr, QSettings* settings = nullptr);
    ~LensBenchApp();

    // Start-up: the hyperbolic-lens screen and the lens menu are created hidden, the bench is shown.
    void Main();
    // Ends the program at once: every screen closes. Tests may replace it.
    std::function<void()> endProgram;

    SharedValues shared;
    BenchScreen& vitrosa();
    LensMenu& eisagogiko();
    ElSahlScreen& ElSahl();
    SingleRayScreen& moniaktina(); // created on first use

    void openSingleRay();
    // The guide (F1) and the projector view of every screen (1, 2 or 3).
    HelpWindow& openHelp();
    void setViewScale(int scale);
    int viewScale() const { return viewScale_; }

private:
    void placeMenuBesideLensScreen();
    // Screens ask their modal questions through the app's dialogs when it was given some, and share
    // the guide and the projector view.
    void wire(ScreenWindow& screen);
    void rememberBench();
    void rememberLensMenu();

    Dialogs* dialogs_;
    QSettings* settings_;
    int viewScale_ = 1;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<BenchScreen> vitrosa_;
    std::unique_ptr<LensMenu> eisagogiko_;
    std::unique_ptr<ElSahlScreen> elsahl_;
    std::unique_ptr<SingleRayScreen> moniaktina_;
};

} // namespace lens
