#include "GradientBackground.h"

#include "base/GradientRamp.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace tankeli {

void Piirra_Tausta(QPainter &painter, const QSize &client)
{
    if (client.isEmpty())
        return;
    // One pixel column holds the ramp; stretching it sideways keeps every row uniform.
    QImage column(1, client.height(), QImage::Format_RGB32);
    for (int row = 0; row < client.height(); ++row) {
        const Rgb c = gradientColourAt(row, client.height());
        column.setPixel(0, row, qRgb(c.red, c.green, c.blue));
    }
    painter.drawImage(QRect(QPoint(0, 0), client), column);
}

GradientBackground::GradientBackground(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientBackground::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Piirra_Tausta(painter, size());
}

void GradientBackground::mouseMoveEvent(QMouseEvent *event)
{
    // Moves that a control passed on to its parent are not moves over the background.
    if (!childAt(event->position().toPoint()))
        emit backgroundMouseMoved();
    QWidget::mouseMoveEvent(event);
}

} // namespace tankeli
