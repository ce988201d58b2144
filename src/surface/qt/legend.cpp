#include "surface/qt/legend.h"

#include "surface/qt/fonts.h"
#include "surface/qt/image_device.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace lens {

namespace {
// In lines of text: the margin, the column of samples and the gap before the words.
constexpr double margin = 0.4, sampleColumn = 2.2, gap = 0.4;
} // namespace

QFont legendFont()
{
    QFont font(fontFamilyFor(QStringLiteral("Arial")));
    font.setPointSizeF(9);
    return font;
}

Legend::Legend(const QString& title, std::vector<LegendEntry> entries, QWidget* parent)
    : QWidget(parent), title_(title), entries_(std::move(entries))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void Legend::setNotes(const QStringList& notes)
{
    if (notes == notes_)
        return;
    notes_ = notes;
    updateGeometry();
    update();
}

QFont Legend::titleFont() const
{
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

double Legend::lineHeight() const { return QFontMetricsF(font()).height() * 1.2; }

QSize Legend::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const double line = lineHeight();
    double words = QFontMetricsF(titleFont()).horizontalAdvance(title_) - (sampleColumn + gap) * line;
    for (const LegendEntry& entry : entries_)
        words = std::max(words, metrics.horizontalAdvance(QString::fromUtf8(entry.text)));
    double notes = 0;
    for (const QString& note : notes_)
        notes = std::max(notes, metrics.horizontalAdvance(note));
    const double across = std::max((2 * margin + sampleColumn + gap) * line + words, 2 * margin * line + notes);
    const double down = (2 * margin + 1 + double(entries_.size()) + double(notes_.size())) * line;
    return QSize(int(std::ceil(across)), int(std::ceil(down)));
}

void Legend::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const double line = lineHeight();
    const double left = margin * line;
    const double wordsAt = left + (sampleColumn + gap) * line;
    const QColor ink = palette().color(QPalette::WindowText);
    double top = margin * line;
    p.setFont(titleFont());
    p.setPen(ink);
    p.drawText(QRectF(left, top, width() - 2 * left, line), Qt::AlignLeft | Qt::AlignVCenter, title_);
    p.setFont(font());
    // Widths are the picture's pixels at the font of a normal view: samples grow with the font.
    const double unit = line / 19.0;
    for (const LegendEntry& entry : entries_) {
        top += line;
        const QColor colour = toQColor(entry.colour);
        const QPointF centre(left + sampleColumn * line / 2, top + line / 2);
        const double half = sampleColumn * line / 2 - 0.15 * line;
        QPen pen(colour, std::max(1.0, entry.width * unit));
        pen.setCapStyle(Qt::FlatCap);
        p.setBrush(Qt::NoBrush);
        switch (entry.swatch) {
        case LegendEntry::dot: {
            // The smallest marks are drawn a little larger than on the picture, to be seen at all.
            const double r = std::max(0.14 * line, entry.width * unit / 2);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(centre, r, r);
            break;
        }
        case LegendEntry::line:
        case LegendEntry::dashDotLine:
            pen.setStyle(entry.swatch == LegendEntry::line ? Qt::SolidLine : Qt::DashDotLine);
            p.setPen(pen);
            p.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
            break;
        case LegendEntry::dottedLine:
            pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.drawLine(centre - QPointF(0, line / 2), centre + QPointF(0, line / 2));
            break;
        case LegendEntry::cross: {
            const double arm = 0.35 * line;
            p.setPen(pen);
            p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
            p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
            break;
        }
        case LegendEntry::ring:
        case LegendEntry::disc: {
            const double r = 0.2 * line;
            p.setPen(QPen(colour, std::max(1.0, unit)));
            if (entry.swatch == LegendEntry::disc)
                p.setBrush(colour);
            p.drawEllipse(centre, r, r);
            break;
        }
        }
        p.setPen(ink);
        p.drawText(QRectF(wordsAt, top, width() - wordsAt, line), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(entry.text));
    }
    p.setPen(ink);
    for (const QString& note : notes_) {
        top += line;
        p.drawText(QRectF(left, top, width() - left, line), Qt::AlignLeft | Qt::AlignVCenter, note);
    }
}

QRect emptiestCorner(const QImage& image, double ratio, Rgb background, const QRect& room, const QSize& size)
{
    auto drawnUnder = [&](const QRect& area) {
        return drawnPixelsIn(image, QRect(QPoint(int(area.left() * ratio), int(area.top() * ratio)),
                                          QSize(int(area.width() * ratio), int(area.height() * ratio))),
                             background);
    };
    const QRect corners[] = {
        QRect(QPoint(room.left(), room.bottom() - size.height() + 1), size),
        QRect(QPoint(room.right() - size.width() + 1, room.bottom() - size.height() + 1), size),
        QRect(room.topLeft(), size),
        QRect(QPoint(room.right() - size.width() + 1, room.top()), size),
    };
    const QRect* best = &corners[0];
    long long fewest = -1;
    for (const QRect& corner : corners) {
        const long long drawn = drawnUnder(corner);
        if (fewest < 0 || drawn < fewest)
            best = &corner, fewest = drawn;
    }
    return *best;
}

} // namespace lens
