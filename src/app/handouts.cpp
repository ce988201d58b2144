// Handouts from the command line. The scene is drawn by the bench's own model on a picture of the
// bench's size (1920 × 1080, the bench's coordinates) that is never shown; the page is the one the print
// preview shows. Every value is held to the range of the control that takes it on the bench: the optics
// has no bounds of its own, and a command line could otherwise ask for scenes that take minutes to draw.

#include "app/handouts.h"

#include "app/lesson_file.h"

#include "bench/bench_legend.h"
#include "bench/bench_model.h"
#include "bench/bench_page.h"
#include "surface/number_text.h"
#include "surface/qt/canvas.h"
#include "surface/qt/file_writing.h"
#include "surface/qt/legend.h"
#include "surface/qt/screen_window.h"

#include <QPrinter>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

namespace lens {

const char* const handoutUsage =
    "  --export FILE  γράφει μια σκηνή του πάγκου σε αρχείο PNG, SVG ή PDF, χωρίς παράθυρο\n"
    "                 writes a bench scene to a PNG, SVG or PDF file, without a window:\n"
    "                 PNG, SVG: η εικόνα του πάγκου / the bench's picture, 1920 x 1080;\n"
    "                 PDF: η τυπωμένη σελίδα με τις τιμές του φακού / the printed page with the lens's values\n"
    "    --source X,Y        βεντάλια από την πηγή / a fan from the source (|X| < 384, |Y| < 216)\n"
    "    --beam DEG          παράλληλη δέσμη / a parallel beam (-90 < DEG < 90; 0 without either)\n"
    "    --index N           δείκτης διάθλασης / index of refraction (0.40 to 2.50; 1.50)\n"
    "    --lens XA,RA,XB,RB  κέντρο και ακτίνα των κύκλων A και B / centre and radius of circles A and B\n"
    "                        (XA -500..0, RA 50..500, XB 0..500, RB 0..500; -50,100,20,90)\n"
    "    --rays N            πλήθος ακτίνων / number of rays (2 to 150; 20, 140 with --waves,\n"
    "                        100 with --only-waves)\n"
    "    --diaphragm X,UPPER,LOWER  τα πτερύγια του διαφράγματος στο x = X, οι άκρες τους στα ύψη UPPER\n"
    "                        και LOWER / the diaphragm's blades at x = X, their tips at heights UPPER and\n"
    "                        LOWER (|X| <= 384, 0 <= UPPER <= 216, -216 <= LOWER <= 0; 0,86.6,-86.6);\n"
    "                        άκρες μέσα στο γυαλί πάνε στην επιφάνεια του φακού / tips in the glass go\n"
    "                        to the lens's surface\n"
    "    --waves             \"SHOW WAVES AND RAYS\"\n"
    "    --only-waves        \"SHOW ONLY WAVES\"\n"
    "    --worksheet         PDF: το φύλλο εργασίας, χωρίς τους αριθμούς / the worksheet, numbers left blank\n"
    "    --legend            PNG, SVG: με το υπόμνημα (F2), τις τιμές του φακού και την εκτροπή /\n"
    "                        with the legend (F2), the lens in numbers and the aberration\n"
    "    --lesson FILE       η σκηνή ενός μαθήματος (.lensbench); οι άλλες επιλογές αλλάζουν τις τιμές του /\n"
    "                        a lesson's scene (.lensbench); the other options override its values\n";

namespace {

struct Option {
    const char* name;
    bool takesValue;
};
constexpr Option handoutOptions[] = {{"--export", true}, {"--source", true},  {"--beam", true},
                                     {"--index", true},  {"--lens", true},    {"--rays", true},    {"--diaphragm", true},
                                     {"--waves", false}, {"--only-waves", false}, {"--worksheet", false},
                                     {"--legend", false}, {"--lesson", true}};

// The option an argument names, as "--rays" or "--rays=20" (the value after '=' goes to value).
const Option* optionIn(std::string_view arg, std::optional<std::string_view>& value)
{
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    for (const Option& option : handoutOptions)
        if (name == option.name) {
            if (equals != std::string_view::npos)
                value = arg.substr(equals + 1);
            return &option;
        }
    return nullptr;
}

CommandLineProblem notNumbers(std::string_view option, std::string_view value, const char* greekCount,
                              const char* englishCount)
{
    const std::string o(option), v(value);
    return {o + ": «" + v + "» δεν είναι " + greekCount + ".", o + ": '" + v + "' is not " + englishCount + "."};
}

// A value within [low, high] (or strictly inside when open), as its control holds it.
bool within(double v, double low, double high, bool open = false)
{
    return open ? low < v && v < high : low <= v && v <= high;
}
// A whole number within the range of the bench's scroll bar that takes it.
bool onBar(double v, bench::Bar bar)
{
    const bench::BarRange r = bench::rangeOf(bar);
    return v == std::floor(v) && within(v, r.min, r.max);
}

// The bench's picture of a handout, 1920 × 1080 pixels, in user units about the origin.
constexpr double pictureHalfWidth = 384, pictureHalfHeight = 216;

struct Parser {
    HandoutRequest request;
    std::optional<CommandLineProblem> problem;

    void fail(std::string greek, std::string english)
    {
        if (!problem)
            problem = CommandLineProblem{std::move(greek), std::move(english)};
    }

    void take(std::string_view option, std::string_view value)
    {
        const std::string o(option);
        if (option == "--export") {
            file(value);
        } else if (option == "--source") {
            const auto xy = list(option, value, 2, "δύο αριθμοί X,Y", "two numbers X,Y");
            if (!xy)
                return;
            if (!(std::fabs((*xy)[0]) < pictureHalfWidth && std::fabs((*xy)[1]) < pictureHalfHeight))
                return fail(o + ": η πηγή είναι μέσα στην εικόνα του πάγκου, |X| < 384 και |Y| < 216.",
                            o + ": the source lies inside the bench's picture, |X| < 384 and |Y| < 216.");
            request.source = std::pair{(*xy)[0], (*xy)[1]};
        } else if (option == "--beam") {
            const auto degrees = one(option, value, "αριθμός μοιρών", "a number of degrees");
            if (!degrees)
                return;
            if (!within(*degrees, -90, 90, true))
                return fail(o + ": η γωνία της δέσμης είναι μεταξύ -90 και 90 μοιρών, όχι ±90.",
                            o + ": the beam's angle lies between -90 and 90 degrees, not ±90.");
            request.beamDegrees = *degrees;
        } else if (option == "--lesson") {
            request.lesson = std::string(value);
        } else if (option == "--index") {
            const auto n = one(option, value, "αριθμός", "a number");
            if (!n)
                return;
            // The scroll bar holds hundredths.
            const double hundredths = std::round(*n * 100);
            if (!onBar(hundredths, bench::Bar::deiktisdiathlasis))
                return fail(o + ": ο δείκτης διάθλασης είναι από 0.40 έως 2.50.",
                            o + ": the index of refraction is 0.40 to 2.50.");
            request.index = int(hundredths);
        } else if (option == "--lens") {
            const auto c = list(option, value, 4, "τέσσερις αριθμοί XA,RA,XB,RB", "four numbers XA,RA,XB,RB");
            if (!c)
                return;
            // Each value as the hidden scroll bar that holds it on the bench.
            struct Bound { bench::Bar bar; const char* greek; const char* english; };
            const Bound bounds[4] = {{bench::Bar::kentrokykloy2, "το κέντρο του κύκλου A (XA)", "the centre of circle A (XA)"},
                                     {bench::Bar::aktina1, "η ακτίνα του κύκλου A (RA)", "the radius of circle A (RA)"},
                                     {bench::Bar::kentrokykloy, "το κέντρο του κύκλου B (XB)", "the centre of circle B (XB)"},
                                     {bench::Bar::aktina2, "η ακτίνα του κύκλου B (RB)", "the radius of circle B (RB)"}};
            std::array<int, 4> circles{};
            for (std::size_t i = 0; i < 4; ++i) {
                const Bound& b = bounds[i];
                const double v = (*c)[i];
                if (!onBar(v, b.bar)) {
                    const bench::BarRange r = bench::rangeOf(b.bar);
                    const std::string low = std::to_string(r.min), high = std::to_string(r.max);
                    return fail(o + ": " + b.greek + " είναι ακέραιος από " + low + " έως " + high + ".",
                                o + ": " + b.english + " is a whole number from " + low + " to " + high + ".");
                }
                circles[i] = int(v);
            }
            request.circles = circles;
        } else if (option == "--rays") {
            const auto n = one(option, value, "αριθμός", "a number");
            if (!n)
                return;
            if (!onBar(*n, bench::Bar::desmi1))
                return fail(o + ": το πλήθος των ακτίνων είναι ακέραιος από 2 έως 150.",
                            o + ": the number of rays is a whole number from 2 to 150.");
            request.rays = int(*n);
        } else if (option == "--diaphragm") {
            const auto d = list(option, value, 3, "τρεις αριθμοί X,UPPER,LOWER", "three numbers X,UPPER,LOWER");
            if (!d)
                return;
            // Each blade reaches from its own edge of the picture to its tip, as the bench's scroll bars
            // hold them: the upper in the upper half, the lower in the lower.
            const double x = (*d)[0], upper = (*d)[1], lower = (*d)[2];
            if (!(within(x, -pictureHalfWidth, pictureHalfWidth) && within(upper, 0, pictureHalfHeight) &&
                  within(lower, -pictureHalfHeight, 0)))
                return fail(o + ": τα πτερύγια είναι μέσα στην εικόνα του πάγκου, |X| <= 384, 0 <= UPPER <= 216 "
                                "και -216 <= LOWER <= 0.",
                            o + ": the blades lie inside the bench's picture, |X| <= 384, 0 <= UPPER <= 216 "
                                "and -216 <= LOWER <= 0.");
            request.diaphragm = std::array{x, upper, lower};
        }
    }

    // One number as the window's prompts read it ("12,5" is 12.5, "20°" is 20), or a message.
    std::optional<double> one(std::string_view option, std::string_view value, const char* greek, const char* english)
    {
        if (const auto v = answeredNumber(value))
            return v;
        const auto problemText = notNumbers(option, value, greek, english);
        fail(problemText.greek, problemText.english);
        return std::nullopt;
    }

    // count numbers separated by commas (decimals with a point), or a message.
    std::optional<std::vector<double>> list(std::string_view option, std::string_view value, std::size_t count,
                                            const char* greekCount, const char* englishCount)
    {
        std::vector<double> out;
        std::size_t start = 0;
        while (out.size() <= count) {
            const std::size_t comma = value.find(',', start);
            const auto v = typedNumber(value.substr(start, comma == std::string_view::npos ? comma : comma - start));
            if (!v)
                break;
            out.push_back(*v);
            if (comma == std::string_view::npos) {
                if (out.size() == count)
                    return out;
                break;
            }
            start = comma + 1;
        }
        const auto problemText = notNumbers(option, value, greekCount, englishCount);
        fail(problemText.greek, problemText.english);
        return std::nullopt;
    }

    void file(std::string_view value)
    {
        namespace fs = std::filesystem;
        const std::string name(value);
        const fs::path path(name);
        std::string suffix = path.extension().string();
        for (char& c : suffix)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (suffix == ".png")
            request.kind = HandoutRequest::png;
        else if (suffix == ".svg")
            request.kind = HandoutRequest::svg;
        else if (suffix == ".pdf")
            request.kind = HandoutRequest::pdf;
        else
            return fail("--export: το όνομα «" + name + "» τελειώνει σε .png, .svg ή .pdf.",
                        "--export: the name '" + name + "' ends in .png, .svg or .pdf.");
        std::error_code error;
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (!fs::is_directory(folder, error))
            return fail("--export: ο φάκελος «" + folder.string() + "» δεν υπάρχει.",
                        "--export: the folder '" + folder.string() + "' does not exist.");
        request.file = name;
    }
};

} // namespace

bool asksForHandout(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        std::optional<std::string_view> value;
        if (optionIn(argv[i], value))
            return true;
    }
    return false;
}

std::variant<HandoutRequest, CommandLineProblem> parseHandout(int argc, const char* const* argv)
{
    Parser parser;
    std::vector<std::string_view> seen;
    for (int i = 1; i < argc && !parser.problem; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string_view> value;
        const Option* option = optionIn(arg, value);
        if (!option) {
            const std::string text(arg);
            if (arg.starts_with('-'))
                parser.fail("Άγνωστη επιλογή «" + text + "».", "Unknown option '" + text + "'.");
            else
                parser.fail("Η τιμή «" + text + "» δεν ανήκει σε καμία επιλογή.", "The value '" + text + "' belongs to no option.");
            break;
        }
        const std::string name = option->name;
        if (std::find(seen.begin(), seen.end(), option->name) != seen.end()) {
            parser.fail(name + ": δόθηκε δύο φορές.", name + ": given twice.");
            break;
        }
        seen.push_back(option->name);
        if (!option->takesValue) {
            if (value)
                parser.fail(name + ": δεν παίρνει τιμή.", name + ": takes no value.");
            else if (name == "--waves")
                parser.request.waves = true;
            else if (name == "--only-waves")
                parser.request.onlyWaves = true;
            else if (name == "--legend")
                parser.request.legend = true;
            else
                parser.request.worksheet = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= argc) {
                parser.fail(name + ": λείπει η τιμή.", name + ": the value is missing.");
                break;
            }
            value = argv[++i];
        }
        parser.take(name, *value);
    }
    HandoutRequest& r = parser.request;
    if (!parser.problem) {
        if (r.file.empty())
            parser.fail("Οι επιλογές αυτές θέλουν --export FILE.", "These options need --export FILE.");
        else if (r.source && r.beamDegrees)
            parser.fail("Δώσε --source ή --beam, όχι και τα δύο.", "Give --source or --beam, not both.");
        else if (r.waves && r.onlyWaves)
            parser.fail("Δώσε --waves ή --only-waves, όχι και τα δύο.", "Give --waves or --only-waves, not both.");
        else if (r.worksheet && r.kind != HandoutRequest::pdf)
            parser.fail("--worksheet: το φύλλο εργασίας είναι σελίδα PDF.", "--worksheet: the worksheet is a PDF page.");
        else if (r.legend && r.kind == HandoutRequest::pdf)
            parser.fail("--legend: η σελίδα PDF έχει τη δική της λεζάντα με τις τιμές του φακού.",
                        "--legend: a PDF page has its own caption with the lens's values.");
    }
    if (parser.problem)
        return *parser.problem;
    return r;
}

namespace {

int said(const QString& message, int status)
{
    for (const QString& line : message.split(QLatin1Char('\n')))
        std::fprintf(stderr, "lensbench: %s\n", line.toLocal8Bit().constData());
    return status;
}

} // namespace

int writeHandout(const HandoutRequest& request)
{
    const QString file = QString::fromStdString(request.file);
    constexpr int width = 1920, height = 1080;
    bench::BenchModel model;
    // The bench's picture, never shown: the canvas paints the blades and the source over it as the screen does.
    Canvas canvas;
    canvas.resize(width, height);
    canvas.syncImageSize();
    for (const ShapeControl* shape : {&model.pigi(), &model.Shape1(), &model.Shape2()})
        canvas.showOverlay(*shape);
    for (const LineControl* line : {&model.Line1(), &model.Line2()})
        canvas.showOverlay(*line);
    Surface& s = canvas.surface();
    dressBenchPicture(s);
    loadBench(model, s, width, height, &canvas, canvas.pixelRatio());

    // A lesson first, as it was saved; a file that holds none is refused before anything is written.
    std::optional<Lesson> lesson;
    if (!request.lesson.empty()) {
        auto read = readLessonFile(QString::fromStdString(request.lesson));
        if (const auto* problem = std::get_if<QString>(&read))
            return said(*problem, 2);
        lesson = std::get<Lesson>(std::move(read));
        model.openLesson(s, lesson->bench);
    }
    // The controls as a user would set them, each redrawing the picture, then the scene.
    using bench::Bar;
    if (request.index || !lesson)
        model.setValue(s, Bar::deiktisdiathlasis, request.index.value_or(150));
    if (const auto& c = request.circles) {
        model.setValue(s, Bar::kentrokykloy2, (*c)[0]);
        model.setValue(s, Bar::aktina1, (*c)[1]);
        model.setValue(s, Bar::kentrokykloy, (*c)[2]);
        model.setValue(s, Bar::aktina2, (*c)[3]);
    }
    if (request.waves)
        model.setTicked(s, bench::Box::Check1, true);
    if (request.onlyWaves)
        model.setTicked(s, bench::Box::Check2, true);
    if (request.rays)
        model.setValue(s, Bar::desmi1, *request.rays);
    if (const auto& d = request.diaphragm)
        model.placeBlades(s, (*d)[0], (*d)[1], (*d)[2]);
    if (request.source) {
        model.fanFrom(s, request.source->first, request.source->second);
    } else if (lesson && !request.beamDegrees) {
        // The lesson's own scenes, as it was saved.
    } else {
        // The beam as "// BUNDLE  DESMH" draws it on a clear picture.
        model.clearPicture(s);
        model.bundleAsked(s);
        model.bundleDrawn(s, request.beamDegrees.value_or(0) * std::numbers::pi / 180);
    }

    if (request.legend || (lesson && lesson->legend)) {
        // As F2 shows it: the aberration's marks on the picture, the legend in its emptiest corner.
        model.showAberration(s, true);
        auto* legend = new Legend(QString::fromUtf8(bench::legendTitle), bench::legendEntries(), &canvas);
        legend->setFont(legendFont());
        legend->setNotes(benchLegendNotes(model, s));
        const QSize size = legend->sizeHint();
        const QRect room = QRect(0, 0, width, height).marginsRemoved(QMargins(legendMargin, legendMargin, legendMargin, legendMargin));
        legend->setGeometry(emptiestCorner(canvas.image(), canvas.pixelRatio(), s.BackColor, room, size));
        legend->show();
        canvas.showInPicture(legend);
    }

    QByteArray bytes;
    switch (request.kind) {
    case HandoutRequest::png:
        bytes = canvas.png();
        break;
    case HandoutRequest::svg:
        bytes = canvas.svg([&] { model.redrawPicture(s); });
        break;
    case HandoutRequest::pdf: {
        // The print dialog's page: A4 across, its margins, at its high resolution.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        bytes = benchPagePdf(model, s, request.worksheet, printer.pageLayout(), printer.resolution(),
                             QStringLiteral("SPHERICAL LENSES"));
        break;
    }
    }
    if (bytes.isEmpty())
        return said(QStringLiteral("Η σκηνή δεν μπόρεσε να σχεδιαστεί.\nThe scene could not be drawn."), 1);
    const FileWrite written = writeWhole(file, bytes);
    switch (written.status) {
    case FileWrite::written:
        return 0;
    case FileWrite::refused:
        return said(written.message, 2);
    case FileWrite::failed:
        break;
    }
    return said(written.message, 1);
}

} // namespace lens
