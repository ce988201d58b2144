#pragma once

#include "surface/qt/image_device.h"

#include <QPainter>

#include <memory>

class QPrinter;

namespace lens {

// The same drawing operations on a printer page. The page is sent to the printer with EndDoc.
class PrinterDevice final : public PainterDevice {
public:
    explicit PrinterDevice(QPrinter& printer);
    ~PrinterDevice() override;

    int width() const override;
    int height() const override;
    // A page starts white; clearing it starts it again.
    void clear(Rgb background) override;
    // A printer page cannot be read back, so it has no flood fill.
    void floodFill(int, int, Rgb, Rgb, FloodMode) override {}
    // Starts the page; false when the printer cannot be reached (nothing is printed then).
    bool ready();
    // A wide dot is a round spot on the page, not rows of pixels.
    void dot(double x, double y, const Pen& pen) override;
    // Ends the document: the page goes to the printer.
    void EndDoc();

protected:
    QPainter& painter() override;
    QPaintDevice* paintDevice() override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace lens
