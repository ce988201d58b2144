#include "app/lesson_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <numbers>
#include <optional>

namespace lens {

namespace {

using bench::Bar;
using bench::Scene;

// The scroll bars under the names the bench gives them.
constexpr const char* barNames[bench::barCount] = {"desmi1",       "deiktisdiathlasis", "aktina1",  "aktina2",
                                                   "kentrokykloy", "kentrokykloy2",     "arvimaton", "HScroll1",
                                                   "VScroll1",     "VScroll2"};
constexpr double reach = 600;         // no window's view reaches further from the middle, in bench units
constexpr double lensScreenReach = 10000;
constexpr int mostScenes = 500;       // more drawings than any lesson makes over one picture
constexpr qint64 largestFile = 1 << 20;

double degreesOf(double radians) { return radians * 180 / std::numbers::pi; }
double radiansOf(double degrees) { return degrees * std::numbers::pi / 180; }

QJsonObject point(double x, double y) { return {{"x", x}, {"y", y}}; }

QJsonObject sceneJson(const Scene& scene)
{
    switch (scene.kind) {
    case Scene::beam:
        return {{"kind", "beam"}, {"degrees", degreesOf(scene.angle)}};
    case Scene::fan:
        return {{"kind", "fan"}, {"x", scene.x}, {"y", scene.y}};
    case Scene::construction:
        return {{"kind", "construction"}, {"x", scene.x}, {"y", scene.y}};
    }
    return {};
}

// Reads the values of a lesson's JSON, stopping at the first that is missing, of the wrong kind or out of
// its range, with a message that names its key.
class Reader {
public:
    std::optional<QString> problem;

    QJsonObject object(const QJsonObject& in, const QString& key, const QString& path)
    {
        const QJsonValue v = in.value(key);
        if (!v.isObject())
            fail(path + key, v, "ένα αντικείμενο JSON", "a JSON object");
        return v.toObject();
    }
    bool flag(const QJsonObject& in, const QString& key, const QString& path)
    {
        const QJsonValue v = in.value(key);
        if (!v.isBool())
            fail(path + key, v, "true ή false", "true or false");
        return v.toBool();
    }
    double number(const QJsonObject& in, const QString& key, const QString& path, double low, double high,
                  bool openEnds = false)
    {
        const QJsonValue v = in.value(key);
        const double x = v.toDouble(NAN);
        const bool inside = openEnds ? (low < x && x < high) : (low <= x && x <= high);
        if (!v.isDouble() || !inside) {
            const QString range = QString::number(low) + (openEnds ? " < … < " : " … ") + QString::number(high);
            fail(path + key, v, "ένας αριθμός " + range, "a number " + range);
        }
        return x;
    }
    int whole(const QJsonObject& in, const QString& key, const QString& path, int low, int high)
    {
        const QJsonValue v = in.value(key);
        const double x = v.toDouble(NAN);
        if (!v.isDouble() || x != std::floor(x) || x < low || x > high) {
            const QString range = QString::number(low) + " … " + QString::number(high);
            fail(path + key, v, "ένας ακέραιος " + range, "a whole number " + range);
            return low;
        }
        return static_cast<int>(x);
    }
    void fail(const QString& key, const QJsonValue& v, const QString& greek, const QString& english)
    {
        if (problem)
            return;
        const QString shown = v.isUndefined() ? QStringLiteral("—") : valueText(v);
        problem = QStringLiteral("Το μάθημα δεν ανοίγει: το «%1» είναι %2, ενώ πρέπει να είναι %3.\n"
                                 "The lesson cannot be opened: \"%1\" is %2, where it must be %4.")
                      .arg(key, shown, greek, english);
    }

private:
    static QString valueText(const QJsonValue& v)
    {
        if (v.isString())
            return '"' + v.toString().left(40) + '"';
        if (v.isDouble())
            return QString::number(v.toDouble(), 'g', 17);
        if (v.isBool())
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        if (v.isNull())
            return QStringLiteral("null");
        return v.isArray() ? QStringLiteral("[…]") : QStringLiteral("{…}");
    }
};

QString refusal(const QString& greek, const QString& english)
{
    return QStringLiteral("Το μάθημα δεν ανοίγει: %1\nThe lesson cannot be opened: %2").arg(greek, english);
}

} // namespace

QByteArray lessonJson(const Lesson& lesson)
{
    const bench::BenchLesson& b = lesson.bench;
    QJsonObject bars;
    for (int i = 0; i < bench::barCount; ++i)
        bars.insert(barNames[i], b.bars[std::size_t(i)]);
    QJsonArray scenes;
    for (const Scene& scene : b.scenes)
        scenes.append(sceneJson(scene));
    QJsonObject benchJson{
        {"bars", bars},
        {"showWavesAndRays", b.check1},
        {"showOnlyWaves", b.check2},
        {"diaphragm", QJsonObject{{"x", b.diaphragm.x}, {"upperTip", b.diaphragm.upperTip},
                                  {"lowerTip", b.diaphragm.lowerTip}}},
        {"light", QJsonObject{{"beam", b.light.beam}, {"sourceX", b.light.x}, {"sourceY", b.light.y},
                              {"beamDegrees", degreesOf(b.light.angle)}}},
        {"marker", point(b.markerX, b.markerY)},
        {"scenes", scenes},
    };
    if (const auto& r = b.ruler)
        benchJson.insert("ruler", QJsonObject{{"x1", r->x1}, {"y1", r->y1}, {"x2", r->x2}, {"y2", r->y2}});
    const QJsonObject rest{
        {"bench", benchJson},
        {"legend", lesson.legend},
        {"lenses", QJsonObject{{"deiktissahl", lesson.lensIndex}, {"biconvex", lesson.biconvex},
                               {"sourceX", lesson.lensSourceX}, {"sourceY", lesson.lensSourceY}}},
    };
    // JSON objects keep their keys in alphabetical order; the format and version go first by hand, so
    // that the file says what it is on its first lines.
    QByteArray body = QJsonDocument(rest).toJson(QJsonDocument::Indented);
    const QByteArray head = "{\n    \"format\": \"lensbench-lesson\",\n    \"version\": " +
                            QByteArray::number(lessonVersion) + ",\n";
    return head + body.mid(body.indexOf('\n') + 1);
}

std::variant<Lesson, QString> lessonFromJson(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refusal(QStringLiteral("δεν είναι αρχείο JSON (σφάλμα στο byte %1).").arg(error.offset),
                       QStringLiteral("it is not a JSON file (error at byte %1).").arg(error.offset));
    const QJsonObject root = document.object();
    if (root.value("format").toString() != QLatin1String("lensbench-lesson"))
        return refusal(QStringLiteral("δεν είναι αρχείο μαθήματος του Lens Bench (λείπει το «format»: \"lensbench-lesson\")."),
                       QStringLiteral("it is not a Lens Bench lesson (\"format\": \"lensbench-lesson\" is missing)."));
    if (root.value("version").toDouble(NAN) != lessonVersion) {
        const QJsonValue v = root.value("version");
        const QString version = v.isUndefined() ? QStringLiteral("—") : v.toVariant().toString().left(40);
        return refusal(QStringLiteral("είναι έκδοσης «%1», ενώ αυτό το πρόγραμμα ανοίγει την έκδοση %2.")
                           .arg(version, QString::number(lessonVersion)),
                       QStringLiteral("it is of version \"%1\", and this program opens version %2.")
                           .arg(version, QString::number(lessonVersion)));
    }

    Reader r;
    Lesson lesson;
    bench::BenchLesson& b = lesson.bench;
    const QJsonObject benchJson = r.object(root, "bench", "");
    const QJsonObject bars = r.object(benchJson, "bars", "bench.");
    for (int i = 0; i < bench::barCount; ++i) {
        const bench::BarRange range = bench::rangeOf(Bar(i));
        b.bars[std::size_t(i)] = r.whole(bars, barNames[i], "bench.bars.", range.min, range.max);
    }
    b.check1 = r.flag(benchJson, "showWavesAndRays", "bench.");
    b.check2 = r.flag(benchJson, "showOnlyWaves", "bench.");
    const QJsonObject stop = r.object(benchJson, "diaphragm", "bench.");
    b.diaphragm.x = r.number(stop, "x", "bench.diaphragm.", -reach, reach);
    b.diaphragm.upperTip = r.number(stop, "upperTip", "bench.diaphragm.", -reach, reach);
    b.diaphragm.lowerTip = r.number(stop, "lowerTip", "bench.diaphragm.", -reach, b.diaphragm.upperTip);
    const QJsonObject light = r.object(benchJson, "light", "bench.");
    b.light.beam = r.flag(light, "beam", "bench.light.");
    b.light.x = r.number(light, "sourceX", "bench.light.", -reach, reach);
    b.light.y = r.number(light, "sourceY", "bench.light.", -reach, reach);
    b.light.angle = radiansOf(r.number(light, "beamDegrees", "bench.light.", -90, 90, true));
    const QJsonObject marker = r.object(benchJson, "marker", "bench.");
    b.markerX = r.number(marker, "x", "bench.marker.", -reach, reach);
    b.markerY = r.number(marker, "y", "bench.marker.", -reach, reach);
    const QJsonValue scenes = benchJson.value("scenes");
    if (!scenes.isArray() || scenes.toArray().size() > mostScenes)
        r.fail("bench.scenes", scenes, QStringLiteral("μια λίστα ως %1 σχεδίων").arg(mostScenes),
               QStringLiteral("a list of at most %1 drawings").arg(mostScenes));
    const QJsonArray drawn = scenes.toArray();
    for (qsizetype i = 0; i < drawn.size() && !r.problem; ++i) {
        const QString path = QStringLiteral("bench.scenes[%1].").arg(i);
        const QJsonObject item = drawn.at(i).toObject();
        const QString kind = item.value("kind").toString();
        Scene scene;
        if (kind == QLatin1String("beam")) {
            scene.kind = Scene::beam;
            scene.angle = radiansOf(r.number(item, "degrees", path, -90, 90, true));
        } else if (kind == QLatin1String("fan") || kind == QLatin1String("construction")) {
            scene.kind = kind == QLatin1String("fan") ? Scene::fan : Scene::construction;
            scene.x = r.number(item, "x", path, -reach, reach);
            scene.y = r.number(item, "y", path, -reach, reach);
        } else {
            r.fail(path + "kind", item.value("kind"), QStringLiteral("\"beam\", \"fan\" ή \"construction\""),
                   QStringLiteral("\"beam\", \"fan\" or \"construction\""));
        }
        b.scenes.push_back(scene);
    }
    // The ruler is there only while one is drawn.
    if (benchJson.contains("ruler")) {
        const QJsonObject ruler = r.object(benchJson, "ruler", "bench.");
        b.ruler = bench::Ruler{r.number(ruler, "x1", "bench.ruler.", -reach, reach),
                               r.number(ruler, "y1", "bench.ruler.", -reach, reach),
                               r.number(ruler, "x2", "bench.ruler.", -reach, reach),
                               r.number(ruler, "y2", "bench.ruler.", -reach, reach)};
    }
    lesson.legend = r.flag(root, "legend", "");
    const QJsonObject lenses = r.object(root, "lenses", "");
    lesson.lensIndex = r.whole(lenses, "deiktissahl", "lenses.", 100, 250);
    lesson.biconvex = r.flag(lenses, "biconvex", "lenses.");
    lesson.lensSourceX = r.number(lenses, "sourceX", "lenses.", -lensScreenReach, lensScreenReach);
    lesson.lensSourceY = r.number(lenses, "sourceY", "lenses.", -lensScreenReach, lensScreenReach);
    if (r.problem)
        return *r.problem;
    return lesson;
}

std::variant<Lesson, QString> readLessonFile(const QString& file)
{
    // Only a regular file is opened: a pipe or a device could keep the program waiting for ever.
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        return refusal(QStringLiteral("το «%1» δεν είναι κανονικό αρχείο.").arg(file),
                       QStringLiteral("\"%1\" is not a regular file.").arg(file));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return refusal(QStringLiteral("το αρχείο «%1» δεν διαβάζεται (%2).").arg(file, in.errorString()),
                       QStringLiteral("the file \"%1\" cannot be read (%2).").arg(file, in.errorString()));
    if (in.size() > largestFile)
        return refusal(QStringLiteral("το «%1» είναι μεγαλύτερο από 1 MiB, πολύ μεγάλο για μάθημα.").arg(file),
                       QStringLiteral("\"%1\" is larger than 1 MiB, too large for a lesson.").arg(file));
    return lessonFromJson(in.readAll());
}

} // namespace lens
