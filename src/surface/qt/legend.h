#pragma once

#include "surface/controls.h"

#include <QImage>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace lens {

// A small panel that names the marks of a picture: one line for each, a sample of the mark in its
// colour and what it means. Its size follows its font, so it grows with the projector view.
// The legend's font in the normal view, and the room it leaves to the picture's edges (logical pixels).
QFont legendFont();
inline constexpr int legendMargin = 6;

// Of the four corners of room (logical pixels), the box of size there that covers the fewest drawn
// pixels of image (those not of the background colour; ratio device pixels to a logical one): where a
// legend hides the least, as the printed page's caption goes.
QRect emptiestCorner(const QImage& image, double ratio, Rgb background, const QRect& room, const QSize& size);

class Legend : public QWidget {
public:
    Legend(const QString& title, std::vector<LegendEntry> entries, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    const std::vector<LegendEntry>& entries() const { return entries_; }
    // Lines of text under the marks (the lens's values); none by default.
    void setNotes(const QStringList& notes);
    const QStringList& notes() const { return notes_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;
    double lineHeight() const;

    QString title_;
    std::vector<LegendEntry> entries_;
    QStringList notes_;
};

} // namespace lens
