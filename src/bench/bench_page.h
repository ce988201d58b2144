#pragma once
// The bench's page on a printer or in a PDF file, for the print preview and for handouts made from the
// command line, and the preview's choice between the captioned page and the worksheet.

#include "bench/bench_model.h"
#include "surface/qt/file_writing.h"

#include <QByteArray>
#include <QPageLayout>
#include <QStringList>

class QPrinter;
class QWidget;
class QPrintPreviewDialog;

namespace lens {

// The bench's picture as the screen starts it: the window's colour behind it, labels in Symbol at 7.5
// points.
void dressBenchPicture(Surface& picture);

// Gives the picture the bench's user coordinates for a client area of width × height (in any one unit):
// the origin at the centre, width plus height 1200 units; then the model loads the bench on it, with the
// source and centre markers at their design sizes in twips (converted through widget's display, ratio
// device pixels to one of its pixels).
void loadBench(bench::BenchModel& model, Surface& picture, double width, double height, const QWidget* widget,
               double ratio);

// The legend's lines of values for the picture the model has drawn on bench: the lens in numbers and the
// aberration measured as the picture was drawn.
QStringList benchLegendNotes(const bench::BenchModel& model, const Surface& bench);

// The model's page as a PDF file's bytes, captioned with today's date, or as the worksheet; the wave rays
// are traced with the coordinates of bench (the bench's picture, which is not drawn on). Empty when the
// page could not be made.
QByteArray benchPagePdf(bench::BenchModel& model, const Surface& bench, bool worksheet, const QPageLayout& layout,
                        int resolution, const QString& title);

// Prints the page: to the printer, or, when the printer is set to a PDF file, into that file as
// benchPagePdf makes it, put in place whole. The result says why when nothing was printed or written.
FileWrite printBenchPage(bench::BenchModel& model, const Surface& bench, QPrinter& printer, bool worksheet);

// The check box the preview offers in its toolbar.
inline constexpr const char* worksheetChoice = "Φύλλο εργασίας / Worksheet";
// Adds the check box to the preview's toolbar, once: ticking or clearing it sets worksheet and draws the
// preview again, so that the print button prints what is shown.
void offerWorksheet(QPrintPreviewDialog& preview, bool& worksheet);

} // namespace lens
