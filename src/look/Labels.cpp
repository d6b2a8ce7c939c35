#include "Labels.h"

#include "Fonts.h"
#include "base/GradientRamp.h"

namespace tankeli {

QLabel *makeLabel(QWidget *parent, QSizeF size, Qt::Alignment alignment, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setFont(labelFont());
    label->resize(size.toSize());
    label->setAlignment(alignment);
    // The label lies on the light gradient: its own dark text, whatever the palette or a
    // style sheet given to the program says (a widget's own sheet goes first).
    label->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3)")
                             .arg(ownTextColour.red).arg(ownTextColour.green).arg(ownTextColour.blue));
    // Moving over a label is not moving over the window's background.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

} // namespace tankeli
