#include "PictureButton.h"

#include "Fonts.h"
#include "GradientRamp.h"
#include "WindowGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tankeli {

PictureButton::PictureButton(QWidget *parent, QSizeF faceSize, QSizeF captionSize)
    : QAbstractButton(parent)
    , m_captionRect(centredOn(QPointF(0, 0), faceSize, captionSize).toPoint(), captionSize.toSize())
{
    resize(faceSize.toSize());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFont(labelFont());
}

void PictureButton::setPicture(const QPixmap *picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

void PictureButton::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(caption);
    update();
}

void PictureButton::setCaptionFont(const QFont &font)
{
    setFont(font);
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), *m_picture);
    }
    if (!text().isEmpty()) {
        painter.setPen(QColor(ownTextColour.red, ownTextColour.green, ownTextColour.blue));
        painter.drawText(m_captionRect, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    emit pointerMoved();
    QAbstractButton::enterEvent(event);
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved();
    QAbstractButton::mouseMoveEvent(event);
    // Handled here: the move must not reach the background, which would clear it again.
    event->accept();
}

} // namespace tankeli
