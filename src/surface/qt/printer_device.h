#pragma once

#include "surface/qt/image_device.h"

#include <QPainter>

#include <memory>

class QPagedPaintDevice;

namespace lens {

// The same drawing operations on a printer page or a PDF writer's. The page is sent with EndDoc.
class PrinterDevice final : public PainterDevice {
public:
    explicit PrinterDevice(QPagedPaintDevice& printer);
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
    // Ends the document: the page goes to the printer. False when it could not be ended.
    bool EndDoc();

protected:
    QPainter& painter() override;
    QPaintDevice* paintDevice() override;

private:
    QPagedPaintDevice& printer_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace lens
