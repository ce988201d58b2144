#include "surface/qt/command_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace lens {

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CommandButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace lens
