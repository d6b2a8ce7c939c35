#include "PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace tankeli {

PictureButton::PictureButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void PictureButton::setPicture(const QPixmap *picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (!m_picture)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), *m_picture);
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
