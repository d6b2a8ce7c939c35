#pragma once
// What a screen reader reads of a one-line text field. Qt's own interface for a line
// edit never returns when asked for the word, sentence or line at the very end of the
// text (where the cursor stands after typing), which froze the whole program under a
// screen reader; this one answers the same questions and keeps to the text's bounds.

namespace tankeli {

// Makes every line edit of the program use the interface below; once is enough.
void installFieldAccessibility();

} // namespace tankeli
