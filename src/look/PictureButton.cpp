#include "PictureButton.h"

#include "Fonts.h"
#include "base/GradientRamp.h"
#include "base/WindowGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tankeli {

PictureButton::PictureButton(QWidget *parent, QSizeF faceSize, QSizeF captionSize)
    : QAbstractButton(parent)
    , m_captionRect(centredOn(QPointF(0, 0), faceSize, captionSize).toPoint(), captionSize.toSize())
{
    resize(faceSize.toSize());
    setFocusPolicy(Qt::TabFocus);
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
    showKeyName();
    update();
}

void PictureButton::setKeyName(const QString &key)
{
    m_keyName = key;
    showKeyName();
}

void PictureButton::showKeyName()
{
    if (!m_keyName.isEmpty())
        setToolTip(QStringLiteral("%1 (%2)").arg(text(), m_keyName));
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
    // Drawn on the program's own picture, so in its own dark colour whatever the palette.
    const QColor ink(ownTextColour.red, ownTextColour.green, ownTextColour.blue);
    if (!text().isEmpty()) {
        painter.setPen(ink);
        painter.drawText(m_captionRect, Qt::AlignCenter, text());
    }
    if (hasFocus() && m_focusMarked) {
        // Inside the picture's border, clear of the caption: nothing around it moves.
        const int inset = height() >= 24 ? 3 : 2;
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::focusInEvent(QFocusEvent *event)
{
    // Coming back to the window keeps the mark as it was when the window was left.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_focusMarked = event->reason() != Qt::MouseFocusReason;
    QAbstractButton::focusInEvent(event);
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
