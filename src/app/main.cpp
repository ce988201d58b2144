#include "app/app.h"
#include "app/handouts.h"
#include "app/help_window.h"
#include "surface/qt/fonts.h"
#include "surface/qt/screen_window.h"

#include <QApplication>
#include <QSettings>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr const char* usage =
    "Χρήση / Usage: lensbench [--help] [--version] [LESSON.lensbench]\n"
    "               lensbench --export FILE [--lesson LESSON] [--source X,Y | --beam DEG] [--index N] [--lens XA,RA,XB,RB]\n"
    "                         [--rays N] [--waves | --only-waves] [--worksheet]\n"
    "\n"
    "Φακοί σε τομή: ακτίνες, μέτωπα κύματος και τα χαρακτηριστικά σημεία ενός παχιού φακού.\n"
    "Lenses in cross-section: rays, wavefronts and the cardinal points of a thick lens.\n"
    "\n"
    "  -h, --help     αυτό το κείμενο / this text\n"
    "  -v, --version  η έκδοση / the version\n";

constexpr const char* exitStatuses =
    "\n"
    "Κατάσταση εξόδου / Exit status: 0 γράφτηκε / written; 2 απορρίφθηκε πριν γραφτεί οτιδήποτε / refused\n"
    "  before anything was written (an option or value, a target that is not a regular file, a missing or\n"
    "  closed folder, a dangling link); 1 απέτυχε ενώ γραφόταν / failed while writing (a full disk, an I/O\n"
    "  error): the file that was there before is left as it was.\n";

constexpr const char* usageInProgram =
    "\n"
    "Στο πρόγραμμα / In the program: F1 guide, Ctrl+S save the picture, Ctrl+C copy it,\n"
    "Ctrl+Shift+S save the lesson, Ctrl+O open one, Ctrl+Z / Ctrl+Y undo and redo, Ctrl+arrows move\n"
    "the source, Ctrl++ / Ctrl+- / Ctrl+0 projector view.\n";

constexpr const char* noDisplay =
    "lensbench: Δεν βρέθηκε οθόνη για τα παράθυρα του προγράμματος (DISPLAY ή WAYLAND_DISPLAY).\n"
    "lensbench: No display was found for the program's windows (DISPLAY or WAYLAND_DISPLAY).\n";

bool inEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Whether anything names a display or a Qt platform the windows could go to.
bool displayNamed(int argc, char** argv)
{
    if (inEnvironment("DISPLAY") || inEnvironment("WAYLAND_DISPLAY") || inEnvironment("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "-platform") || !std::strcmp(argv[i], "--platform"))
            return true;
    return false;
}

// Qt's messages while it connects to the display are held back: when the display named cannot be
// reached, the user reads that in the program's words and the program ends with status 1 (Qt would
// abort, after advice to reinstall); once connected, they go out as they came.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler qtHandler = nullptr;

void holdStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplay, stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, context.category ? context.category : "", text});
}

void releaseStartupMessages()
{
    qInstallMessageHandler(qtHandler);
    if (!qtHandler)
        return;
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.c_str());
        qtHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}

// A handout's run prints nothing when it succeeds: Qt's remark that XDG_RUNTIME_DIR is not set (a
// terminal over ssh, a cron job) says nothing about the file.
void quietHandoutMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg && type != QtCriticalMsg && text.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (qtHandler)
        qtHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    // A file that grows past the size this process may write fails as a full disk does, with an
    // error the writer reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // Answered before any window: a terminal without a display can ask too.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(usage, stdout);
            std::fputs(lens::handoutUsage, stdout);
            std::fputs(exitStatuses, stdout);
            std::fputs(usageInProgram, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("lensbench %s\n", LENSBENCH_VERSION);
            return 0;
        }
    }

    // A handout is drawn offscreen and written to its file: no display, no window.
    if (lens::asksForHandout(argc, argv)) {
        const auto asked = lens::parseHandout(argc, argv);
        if (const auto* problem = std::get_if<lens::CommandLineProblem>(&asked)) {
            std::fprintf(stderr, "lensbench: %s\nlensbench: %s\n%s", problem->greek.c_str(), problem->english.c_str(),
                         "lensbench --help: όλες οι επιλογές / all the options\n");
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("QT_SCALE_FACTOR"); // the picture is 1920 × 1080 pixels, whatever the desktop's scale
        qunsetenv("QT_SCREEN_SCALE_FACTORS");
        qtHandler = qInstallMessageHandler(quietHandoutMessage);
        int qtArgc = 1; // the options are the program's, not Qt's
        QApplication application(qtArgc, argv);
        lens::installFontSubstitutions();
        return lens::writeHandout(std::get<lens::HandoutRequest>(asked));
    }

    if (!displayNamed(argc, argv)) {
        std::fputs(noDisplay, stderr);
        return 1;
    }
    qtHandler = qInstallMessageHandler(holdStartupMessage);
    QApplication application(argc, argv);
    releaseStartupMessages();
    QApplication::setApplicationName(QStringLiteral("Lens Bench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lens Bench"));
    QApplication::setApplicationVersion(lens::programVersion());
    QApplication::setDesktopFileName(QStringLiteral("lensbench"));
    lens::installFontSubstitutions();
    QApplication::setFont(lens::controlFont(QStringLiteral("Arial"), 8));

    QSettings settings(QStringLiteral("LensBench"), QStringLiteral("lensbench"));
    lens::LensBenchApp app(nullptr, &settings);
    app.Main();
    // A lesson named on the command line (as a file manager passes it) opens on the bench.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(QLatin1Char('-'))) {
            app.openLessonFile(arguments[i]);
            break;
        }
    return application.exec();
}
