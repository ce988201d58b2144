#include "bench/bench_page.h"

#include "surface/null_device.h"
#include "surface/qt/printer_device.h"
#include "surface/qt/screen_window.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QCheckBox>
#include <QDate>
#include <QPalette>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace lens {

void dressBenchPicture(Surface& picture)
{
    const QColor window = QApplication::palette().color(QPalette::Window);
    picture.BackColor = RGB(window.red(), window.green(), window.blue());
    picture.FontName = "Symbol";
    picture.FontSize = 7.5;
    picture.Cls();
}

void loadBench(bench::BenchModel& model, Surface& s, double width, double height, const QWidget* widget, double ratio)
{
    const double S = width + height;
    s.Scale(-600 * width / S, 600 * height / S, 600 * width / S, -600 * height / S);
    s.Cls();
    auto across = [&](double twips) { return std::fabs(s.userX(twipsToPixels(twips, widget) * ratio) - s.userX(0)); };
    auto down = [&](double twips) { return std::fabs(s.userY(twipsToPixels(twips, widget) * ratio) - s.userY(0)); };
    model.load(s, across(135), down(45), across(135), down(135));
}

QStringList benchLegendNotes(const bench::BenchModel& model, const Surface& bench)
{
    QStringList notes;
    for (const waves::NumberLine& line : model.numbers(bench))
        notes << QString::fromStdString(waves::numberText(line));
    return notes;
}

namespace {

bool drawBenchPage(bench::BenchModel& model, const Surface& bench, QPagedPaintDevice& printer, bool worksheet)
{
    PrinterDevice device(printer);
    if (!device.ready())
        return false;
    Surface page(device);
    // Pens and dots keep their on-screen size in points on a page of many dots to the inch.
    page.PenScale = std::max(1, int(std::lround(printer.logicalDpiY() / 96.0)));
    page.FontName = "Arial";
    // The wave rays are traced with the bench's coordinates, but nothing is drawn on its picture.
    NullDevice unseen(bench.device().width(), bench.device().height());
    Surface benchTrace(unseen);
    benchTrace.Scale(bench.ScaleLeft(), bench.ScaleTop(), bench.ScaleLeft() + bench.ScaleWidth(),
                     bench.ScaleTop() + bench.ScaleHeight());
    model.printPage(page, benchTrace, {worksheet, QDate::currentDate().toString(Qt::ISODate).toStdString(),
                                       double(printer.logicalDpiY())});
    return device.EndDoc();
}

} // namespace

QByteArray benchPagePdf(bench::BenchModel& model, const Surface& bench, bool worksheet, const QPageLayout& layout,
                        int resolution, const QString& title)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setPageLayout(layout);
        pdf.setResolution(resolution);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Lens Bench"));
        if (!drawBenchPage(model, bench, pdf, worksheet))
            return {};
    } // the writer ends the file as it goes
    return bytes.data();
}

FileWrite printBenchPage(bench::BenchModel& model, const Surface& bench, QPrinter& printer, bool worksheet)
{
    // A PDF file is made whole in memory and then put in place, so that a full disk or an interruption
    // leaves the file that was there; a printer gets the page itself.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QString file = printer.outputFileName();
        const QByteArray pdf =
            benchPagePdf(model, bench, worksheet, printer.pageLayout(), printer.resolution(), printer.docName());
        if (pdf.isEmpty())
            return {FileWrite::failed, QStringLiteral("Η σελίδα δεν μπόρεσε να σχηματιστεί.\nThe page could not be made.")};
        return writeWhole(file, pdf);
    }
    if (!drawBenchPage(model, bench, printer, worksheet) || printer.printerState() == QPrinter::Error)
        return {FileWrite::failed, QStringLiteral("Ο εκτυπωτής δεν είναι διαθέσιμος: η σελίδα δεν τυπώθηκε.\n"
                                                  "The printer cannot be reached: the page was not printed.")};
    return {};
}

void offerWorksheet(QPrintPreviewDialog& preview, bool& worksheet)
{
    const QString name = QStringLiteral("worksheetChoice");
    auto* toolBar = preview.findChild<QToolBar*>();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (preview.findChild<QCheckBox*>(name) || !toolBar || !pages)
        return;
    auto* box = new QCheckBox(QString::fromUtf8(worksheetChoice));
    box->setObjectName(name);
    box->setChecked(worksheet);
    box->setToolTip(QStringLiteral("Η ίδια σελίδα με τα ονόματα και κενά στη θέση των αριθμών, για τους μαθητές.\n"
                                   "The same page with the names and blanks in place of the numbers, for the students."));
    toolBar->addSeparator();
    toolBar->addWidget(box);
    QObject::connect(box, &QCheckBox::toggled, pages, [&worksheet, pages](bool on) {
        worksheet = on;
        pages->updatePreview();
    });
}

} // namespace lens
