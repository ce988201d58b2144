#include "surface/qt/printer_device.h"

#include <QFile>
#include <QPrinter>

namespace lens {

PrinterDevice::PrinterDevice(QPrinter& printer) : printer_(printer) {}

PrinterDevice::~PrinterDevice() { EndDoc(); }

int PrinterDevice::width() const { return printer_.width(); }
int PrinterDevice::height() const { return printer_.height(); }

QPaintDevice* PrinterDevice::paintDevice() { return &printer_; }

QPainter& PrinterDevice::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&printer_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

bool PrinterDevice::ready()
{
    // A PDF file that cannot be written (a folder that does not exist, no right to write there) is
    // known before a painter is started on it; nothing is drawn for it then.
    if (!painter_ && printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
        QFile file(printer_.outputFileName());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) // leaves a file already there as it is
            return false;
    }
    return painter().isActive();
}

void PrinterDevice::dot(double x, double y, const Pen& pen)
{
    if (pen.width <= 1) {
        PainterDevice::dot(x, y, pen);
        return;
    }
    roundSpot(x, y, pen);
}

void PrinterDevice::clear(Rgb background)
{
    painter().fillRect(QRect(0, 0, width(), height()), toQColor(background));
    touched();
}

void PrinterDevice::EndDoc()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

} // namespace lens
