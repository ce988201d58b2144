#include "bench/bench_page.h"

#include "surface/null_device.h"
#include "surface/qt/printer_device.h"
#include "surface/qt/screen_window.h"

#include <QApplication>
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

bool printBenchPage(bench::BenchModel& model, const Surface& bench, QPrinter& printer, bool worksheet)
{
    PrinterDevice device(printer);
    if (!device.ready())
        return false;
    Surface page(device);
    // Pens and dots keep their on-screen size in points on a page of many dots to the inch.
    page.PenScale = std::max(1, int(std::lround(printer.resolution() / 96.0)));
    page.FontName = "Arial";
    // The wave rays are traced with the bench's coordinates, but nothing is drawn on its picture.
    NullDevice unseen(bench.device().width(), bench.device().height());
    Surface benchTrace(unseen);
    benchTrace.Scale(bench.ScaleLeft(), bench.ScaleTop(), bench.ScaleLeft() + bench.ScaleWidth(),
                     bench.ScaleTop() + bench.ScaleHeight());
    model.printPage(page, benchTrace, {worksheet, QDate::currentDate().toString(Qt::ISODate).toStdString()});
    device.EndDoc();
    return true;
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
