#pragma once

#include "app/shared_values.h"

#include <functional>
#include <memory>

namespace lens {

class BenchScreen;
class LensMenu;
class ElSahlScreen;
class SingleRayScreen;
class Dialogs;
class ScreenWindow;

// The whole program: its shared values and its four screens, each created once and afterwards only
// shown and hidden, and the ways between them.
class LensBenchApp {
public:
    explicit LensBenchApp(Dialogs* dialogs = nullptr);
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

private:
    void placeMenuBesideLensScreen();
    // Screens ask their modal questions through the app's dialogs when it was given some.
    void useDialogs(ScreenWindow& screen) const;

    Dialogs* dialogs_;
    std::unique_ptr<BenchScreen> vitrosa_;
    std::unique_ptr<LensMenu> eisagogiko_;
    std::unique_ptr<ElSahlScreen> elsahl_;
    std::unique_ptr<SingleRayScreen> moniaktina_;
};

} // namespace lens
