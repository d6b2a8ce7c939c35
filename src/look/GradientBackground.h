#pragma once
// A window's client area with the shared gradient background. It reports mouse moves
// over the background itself, which put every picture button back to normal.

#include <QWidget>

namespace tankeli {

// Paints the ramp over the whole client area of the given size.
void Piirra_Tausta(QPainter &painter, const QSize &client);

class GradientBackground : public QWidget
{
    Q_OBJECT
public:
    explicit GradientBackground(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

signals:
    void backgroundMouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};

} // namespace tankeli
