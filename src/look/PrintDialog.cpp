#include "PrintDialog.h"

#include "Messages.h"
#include "base/FailureText.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>

namespace tankeli {

PrintDialog::PrintDialog(QPrinter *printer, QWidget *parent)
    : QPrintDialog(printer, parent)
{
    // Qt's own check runs when the print button is pressed, before the dialog is accepted;
    // the name is looked at first, and only a fitting one goes on to that check.
    auto *buttons = findChild<QDialogButtonBox *>();
    if (buttons && metaObject()->indexOfSlot("_q_checkFields()") >= 0
        && disconnect(buttons, SIGNAL(accepted()), this, SLOT(_q_checkFields())))
        connect(buttons, &QDialogButtonBox::accepted, this, [this] {
            if (!refusedFile())
                QMetaObject::invokeMethod(this, "_q_checkFields");
        });
}

bool PrintDialog::refusedFile()
{
    // The dialog's own field of the file printed to, enabled while a file is chosen.
    const auto *field = findChild<QLineEdit *>(QStringLiteral("filename"));
    if (!field || !field->isEnabled())
        return false;
    const QFileInfo target(field->text());
    if (!target.exists() || target.isFile() || target.isDir())
        return false;
    Messages::current().inform(this,
                               QStringLiteral("Tiedostoon %1 ei voi tulostaa: Se ei ole tavallinen tiedosto. "
                                              "Valitse toinen tiedosto.")
                                   .arg(shownPath(target.filePath())),
                               windowTitle(), Messages::Icon::Critical);
    return true;
}

} // namespace tankeli
