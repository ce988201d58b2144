#include "app/app.h"
#include "app/help_window.h"
#include "surface/qt/fonts.h"
#include "surface/qt/screen_window.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* usage =
    "Χρήση / Usage: lensbench [--help] [--version]\n"
    "\n"
    "Φακοί σε τομή: ακτίνες, μέτωπα κύματος και τα χαρακτηριστικά σημεία ενός παχιού φακού.\n"
    "Lenses in cross-section: rays, wavefronts and the cardinal points of a thick lens.\n"
    "\n"
    "  -h, --help     αυτό το κείμενο / this text\n"
    "  -v, --version  η έκδοση / the version\n"
    "\n"
    "Στο πρόγραμμα / In the program: F1 guide, Ctrl+S save the picture, Ctrl+C copy it,\n"
    "Ctrl++ / Ctrl+- / Ctrl+0 projector view.\n";

} // namespace

int main(int argc, char** argv)
{
    // Answered before any window: a terminal without a display can ask too.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("lensbench %s\n", LENSBENCH_VERSION);
            return 0;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lens Bench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lens Bench"));
    QApplication::setApplicationVersion(lens::programVersion());
    QApplication::setDesktopFileName(QStringLiteral("lensbench"));
    lens::installFontSubstitutions();
    QApplication::setFont(lens::controlFont(QStringLiteral("Arial"), 8));

    QSettings settings(QStringLiteral("LensBench"), QStringLiteral("lensbench"));
    lens::LensBenchApp app(nullptr, &settings);
    app.Main();
    return application.exec();
}
