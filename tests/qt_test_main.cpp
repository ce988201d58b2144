#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef LENS_CHECKED
// Qt and fontconfig keep their caches to the end of the process, which LeakSanitizer would report as
// leaks; the screen tests run with AddressSanitizer's other checks only.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

int main(int argc, char** argv)
{
    // Screen tests run headless unless the caller chose a platform.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
