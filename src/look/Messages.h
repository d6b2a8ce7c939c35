#pragma once
// Every message box and file or print dialog of the program goes through here, so that
// tests can answer them instead of a person; a test never blocks on a modal box.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace tankeli {

class Messages
{
public:
    enum class Icon { None, Information, Critical };
    virtual ~Messages() = default;

    // A box with an OK button.
    virtual void inform(QWidget *parent, const QString &text, const QString &title, Icon icon) = 0;
    // A box with Yes ("Kyllä", the default) and No ("Ei"); true for Yes.
    virtual bool ask(QWidget *parent, const QString &text, const QString &title) = 0;
    // The same box with its own words on the two buttons ("Tuo", "Peruuta"); the first is
    // the default and gives true. Escape answers with the second.
    virtual bool ask(QWidget *parent, const QString &text, const QString &title, const QString &yesText,
                     const QString &noText)
    {
        Q_UNUSED(yesText);
        Q_UNUSED(noText);
        return ask(parent, text, title);
    }
    // A file dialog for saving (or opening) one file, opened in the suggested folder or
    // offering the suggested file: the chosen path and the filter it was chosen under, or
    // an empty path when the user cancelled.
    struct FileChoice
    {
        QString path;
        int filter = 0;
    };
    enum class FileUse { Save, Open };
    virtual FileChoice chooseFile(QWidget *parent, FileUse use, const QString &title, const QString &suggested,
                                  const QStringList &filters) = 0;
    // The print dialog: true when the user chose to print with the printer as set there.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;

    static Messages &current();
    // Tests put their own in place; nullptr puts the real boxes back.
    static void replace(Messages *messages);
};

// The program's name, the title of every message that names none of its own.
QString programTitle();

} // namespace tankeli
