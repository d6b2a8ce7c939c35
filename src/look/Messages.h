#pragma once
// Every message box and file or print dialog of the program goes through here, so that
// tests can answer them instead of a person; a test never blocks on a modal box.

#include "base/Answer.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace tankeli {

// The two buttons of a question and which of them Enter presses; Escape presses No.
struct QuestionButtons
{
    QString yes = QStringLiteral("Kyllä");
    QString no = QStringLiteral("Ei");
    Answer byDefault = Answer::Yes; // Yes or No
};

class Messages
{
public:
    enum class Icon { None, Information, Critical };
    virtual ~Messages() = default;

    // A box with an OK button.
    virtual void inform(QWidget *parent, const QString &text, const QString &title, Icon icon) = 0;
    using Buttons = QuestionButtons;
    // A box with Yes ("Kyllä", the default) and No ("Ei"), or the buttons given. Ending when
    // the program is asked to end while it is open, or was before (then no box is shown).
    Answer ask(QWidget *parent, const QString &text, const QString &title, const Buttons &buttons = Buttons());
    // A file dialog for saving (or opening) one file, opened in the suggested folder or
    // offering the suggested file: the chosen path and the filter it was chosen under, or
    // an empty path when the user cancelled. For saving, defaultSuffixes (without the dot,
    // one for each filter) give a name typed without an extension the chosen filter's,
    // before the dialog asks whether to replace a file of that name; a dialog that does
    // not may hand back the name as typed, and the caller asks about the name it writes.
    struct FileChoice
    {
        QString path;
        int filter = 0;
    };
    enum class FileUse { Save, Open };
    virtual FileChoice chooseFile(QWidget *parent, FileUse use, const QString &title, const QString &suggested,
                                  const QStringList &filters, const QStringList &defaultSuffixes = {}) = 0;
    // The print dialog: true when the user chose to print with the printer as set there.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;

    static Messages &current();
    // Tests put their own in place; nullptr puts the real boxes back.
    static void replace(Messages *messages);

    // A request from outside to end the program (logout, shutdown, kill), set when it
    // comes: from then on every question answers Ending, a message goes to stderr instead
    // of a box, and long work stops between its steps. Tests put it back.
    static void setEndRequested(bool requested);
    static bool endRequested();

protected:
    // The Yes/No box itself: true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text, const QString &title, const Buttons &buttons) = 0;
};

// The program's name, the title of every message that names none of its own.
QString programTitle();

} // namespace tankeli
