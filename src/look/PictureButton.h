#pragma once
// One picture button face (Nappi): a stretched picture that runs its command when
// clicked. It takes no keyboard focus and, for the accessibility bus, is a push button
// named by its caption.

#include <QAbstractButton>

namespace tankeli {

class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // The shared picture object shown (Btn1's or Btn2's); not owned.
    void setPicture(const QPixmap *picture);
    const QPixmap *picture() const { return m_picture; }

signals:
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    const QPixmap *m_picture = nullptr;
};

} // namespace tankeli
