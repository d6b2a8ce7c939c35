#include "Messages.h"

#include "base/Muuttujat.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>

namespace tankeli {
namespace {

class ModalBoxes : public Messages
{
public:
    void inform(QWidget *parent, const QString &text, const QString &title, Icon icon) override
    {
        QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
    }
    bool ask(QWidget *parent, const QString &text, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Kyllä"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Ei"));
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    bool ask(QWidget *parent, const QString &text, const QString &title, const QString &yesText,
             const QString &noText) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::Cancel, parent);
        box.button(QMessageBox::Yes)->setText(yesText);
        box.button(QMessageBox::Cancel)->setText(noText);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Yes;
    }

    FileChoice chooseFile(QWidget *parent, FileUse use, const QString &title, const QString &suggested,
                          const QStringList &filters) override
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
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return {dialog.selectedFiles().constFirst(), int(filters.indexOf(dialog.selectedNameFilter()))};
    }
    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
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

} // namespace

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
