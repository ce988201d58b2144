#include "surface/qt/printer_device.h"

#include <QPagedPaintDevice>

namespace lens {

PrinterDevice::PrinterDevice(QPagedPaintDevice& printer) : printer_(printer) {}

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

bool PrinterDevice::ready() { return painter().isActive(); }

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

bool PrinterDevice::EndDoc() { return endPainting(painter_); }

} // namespace lens
