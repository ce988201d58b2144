#pragma once
// A lesson file: the bench's scene as a teacher prepared it, the legend, and the hyperbolic lenses'
// index, lens and source, written as JSON (suffix .lensbench) and read back with every value checked.

#include "bench/bench_model.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace lens {

inline constexpr const char* lessonSuffix = "lensbench";
inline constexpr const char* lessonMimeType = "application/x-lensbench-lesson";
inline constexpr int lessonVersion = 1;

struct Lesson {
    bench::BenchLesson bench;
    bool legend = false;       // the legend (F2) on the bench's picture
    int lensIndex = 150;       // the lens menu's index bar (deiktissahl), hundredths
    bool biconvex = false;     // the lens screen shows the biconvex lens
    double lensSourceX = 108, lensSourceY = 25; // the lens screen's point source
    bool operator==(const Lesson&) const = default;
};

// The lesson as the file holds it: UTF-8 JSON, its first keys "format" and "version".
QByteArray lessonJson(const Lesson&);
// The lesson the bytes hold, or why they hold none: Greek, a new line, English, naming the key and the
// value at fault.
std::variant<Lesson, QString> lessonFromJson(const QByteArray& bytes);
// The same for a file, with a message for a file that cannot be read.
std::variant<Lesson, QString> readLessonFile(const QString& file);

} // namespace lens
