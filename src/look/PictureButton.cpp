#include "PictureButton.h"

#include "Fonts.h"
#include "base/GradientRamp.h"
#include "base/WindowGeometry.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tankeli {
namespace {

// A picture button as a screen reader knows it, asked anew each time: a push button,
// or a check box when it has two states, pressed while a selector is on. Pressing or
// toggling it is a click, so that a selector's command runs.
class PictureButtonAccessible : public QAccessibleWidget
{
public:
    explicit PictureButtonAccessible(PictureButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }
    PictureButton *button() const { return static_cast<PictureButton *>(object()); }

    QAccessible::Role role() const override { return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = button()->isCheckable();
        s.checked = button()->isChecked();
        s.pressed = button()->isDown() || (button()->isSelector() && button()->isChecked());
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names{pressAction()};
        if (button()->isCheckable())
            names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (!button()->isEnabled())
            return;
        if (action == pressAction() || (action == toggleAction() && button()->isCheckable()))
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *pictureButtonFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("tankeli::PictureButton") && object->isWidgetType())
        return new PictureButtonAccessible(static_cast<PictureButton *>(object));
    return nullptr;
}

} // namespace

PictureButton::PictureButton(QWidget *parent, QSizeF faceSize, QSizeF captionSize)
    : QAbstractButton(parent)
    , m_captionRect(centredOn(QPointF(0, 0), faceSize, captionSize).toPoint(), captionSize.toSize())
{
    static const bool accessibleInstalled = (QAccessible::installFactory(pictureButtonFactory), true);
    Q_UNUSED(accessibleInstalled);
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

void PictureButton::makeSelector()
{
    m_selector = true;
    setCheckable(true);
    setChecked(false);
}

void PictureButton::nextCheckState()
{
    // A selector's window turns it on when its command has drawn the chart.
    if (!m_selector)
        QAbstractButton::nextCheckState();
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
