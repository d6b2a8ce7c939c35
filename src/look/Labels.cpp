#include "Labels.h"

#include "Fonts.h"

namespace tankeli {

QLabel *makeLabel(QWidget *parent, QSizeF size, Qt::Alignment alignment, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setFont(labelFont());
    label->resize(size.toSize());
    label->setAlignment(alignment);
    // Moving over a label is not moving over the window's background.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

} // namespace tankeli
