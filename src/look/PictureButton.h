#pragma once
// One picture button (Nappi with its caption Nappi_Txt): a stretched picture with the
// caption drawn centred on it, which runs its command when clicked. To the
// accessibility bus it is one push button named by its caption, or a check box when it
// has two states. Tab reaches a command button, which a click leaves where the focus
// was; Space and Enter run its command as a click does. A two-state picture (the
// calibration choice) takes the focus by a click too, and toggles with Space and Enter.
// A selector (a chart's) has two states that its window sets, on while its chart is
// drawn: it shows as pressed, and a click, a key or a screen reader's toggle runs its
// command without turning it on or off. The button with the focus shows a dotted frame
// inside its face, unless a click gave it the focus.

#include <QAbstractButton>
#include <QFont>

namespace tankeli {

class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    PictureButton(QWidget *parent, QSizeF faceSize, QSizeF captionSize);

    // The shared picture object shown (Btn1's or Btn2's); not owned.
    void setPicture(const QPixmap *picture);
    const QPixmap *picture() const { return m_picture; }
    void setCaption(const QString &caption);
    // The key that runs the command, named in the tooltip after the caption: "Laske (L)".
    void setKeyName(const QString &key);
    // Where the caption label lies on the face: centred by the halving rule.
    QRect captionRect() const { return m_captionRect; }
    void setCaptionFont(const QFont &font);
    // Makes the button a selector, off until its window turns it on.
    void makeSelector();
    bool isSelector() const { return m_selector; }

signals:
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void nextCheckState() override;

private:
    void showKeyName();

    const QPixmap *m_picture = nullptr;
    QRect m_captionRect;
    QString m_keyName;
    bool m_focusMarked = true; // false while the focus came by a click
    bool m_selector = false;
};

} // namespace tankeli
