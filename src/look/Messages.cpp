#include "Messages.h"

#include "PrintDialog.h"
#include "base/Muuttujat.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>

namespace tankeli {
namespace {

// Shows a box; the field that had the focus gets it back with its text selected, so that
// typing replaces it. The window manager gives the focus back later than the box closes,
// and a key typed at once must not land behind the old text.
int execGivingFocusBack(QMessageBox &box)
{
    const QPointer<QWidget> before = QApplication::focusWidget();
    const int result = box.exec();
    if (auto *field = qobject_cast<QLineEdit *>(before.data())) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
    return result;
}

class ModalBoxes : public Messages
{
public:
    void inform(QWidget *parent, const QString &text, const QString &title, Icon icon) override
    {
        // Nobody may be there to read a box while the program ends (logout, shutdown).
        if (endRequested()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), text.toLocal8Bit().constData());
            return;
        }
        QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.setDefaultButton(QMessageBox::Ok);
        execGivingFocusBack(box);
    }
    bool askYesNo(QWidget *parent, const QString &text, const QString &title, const Buttons &buttons) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.button(QMessageBox::Yes)->setText(buttons.yes);
        box.button(QMessageBox::No)->setText(buttons.no);
        box.setDefaultButton(buttons.byDefault == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return execGivingFocusBack(box) == QMessageBox::Yes;
    }

    FileChoice chooseFile(QWidget *parent, FileUse use, const QString &title, const QString &suggested,
                          const QStringList &filters, const QStringList &defaultSuffixes) override
    {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(use == FileUse::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(use == FileUse::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        // A folder opens the dialog there; a file name is offered in its own folder.
        const QFileInfo offered(suggested);
        if (offered.isDir()) {
            dialog.setDirectory(suggested);
        } else {
            dialog.setDirectory(offered.absolutePath());
            dialog.selectFile(offered.fileName());
        }
        if (use == FileUse::Save && !defaultSuffixes.isEmpty()) {
            const auto followFilter = [&dialog, &filters, &defaultSuffixes](const QString &filter) {
                dialog.setDefaultSuffix(defaultSuffixes.value(filters.indexOf(filter)));
            };
            followFilter(dialog.selectedNameFilter());
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return {dialog.selectedFiles().constFirst(), int(filters.indexOf(dialog.selectedNameFilter()))};
    }
    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        PrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    static QMessageBox::Icon toQt(Icon icon)
    {
        switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::None: break;
        }
        return QMessageBox::NoIcon;
    }
};

ModalBoxes modalBoxes;
Messages *currentMessages = &modalBoxes;
bool endWasRequested = false;

} // namespace

Answer Messages::ask(QWidget *parent, const QString &text, const QString &title, const Buttons &buttons)
{
    if (endWasRequested)
        return Answer::Ending;
    // A request to end while the box is open closes it (its event loop ends) with No.
    const bool yes = askYesNo(parent, text, title, buttons);
    return endWasRequested ? Answer::Ending : yes ? Answer::Yes : Answer::No;
}

void Messages::setEndRequested(bool requested)
{
    endWasRequested = requested;
}

bool Messages::endRequested()
{
    return endWasRequested;
}

Messages &Messages::current()
{
    return *currentMessages;
}

void Messages::replace(Messages *messages)
{
    currentMessages = messages ? messages : &modalBoxes;
}

QString programTitle()
{
    return Muuttujat::Ohjelman_Nimi;
}

} // namespace tankeli
