#pragma once
// A number field takes typing as a spin box does: when it gets the keyboard focus by the
// keyboard or from the program (Tab, the Enter ring, a window opened or closed, a message
// box closed, its window activated again), its whole text is selected, so that what is
// typed replaces it. A click places the caret where it lands, and a field whose own
// context menu closes keeps its selection and caret.

class QLineEdit;

namespace tankeli {

void selectTextOnFocus(QLineEdit &field);

} // namespace tankeli
