#pragma once
// The captions of every window: transparent, in the label font and the program's own
// dark text colour, of a fixed design size.

#include <QLabel>
#include <QSizeF>

namespace tankeli {

QLabel *makeLabel(QWidget *parent, QSizeF size, Qt::Alignment alignment,
                  const QString &text = QString());

} // namespace tankeli
