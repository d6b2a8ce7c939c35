#pragma once
// What a screen reader reads of a text field, a spin box or a text area. Qt's own
// interfaces answer a one-line field's attributes with empty runs, so that Orca read
// "600" as "60"; never return when asked for the word that ends a field in a sign or a
// space ("5 %"), which froze the whole program under a screen reader; and answer a text
// area's line break or space with the line or word before it, so that a reader walking
// the text stops there. These answer every question within the text's bounds: the
// attributes in one run over the whole text, the words and characters as Unicode
// divides them, and the lines as they are shown.

namespace tankeli {

// Makes every line edit, spin box and plain text area of the program (and of Qt's
// dialogs) use the interfaces above; once is enough.
void installFieldAccessibility();

} // namespace tankeli
