#pragma once
// The print dialog the program shows. Printing to a file, it refuses a name that is there
// but is no regular file (a FIFO, a device) before Qt's own check of the name opens it
// to write: that open waits for ever for a FIFO's reader, and the program with it.

#include <QPrintDialog>

namespace tankeli {

class PrintDialog : public QPrintDialog
{
    Q_OBJECT
public:
    PrintDialog(QPrinter *printer, QWidget *parent = nullptr);

private:
    // Tells why the file chosen to print to cannot be, and true; false for a fitting name
    // or a printer.
    bool refusedFile();
};

} // namespace tankeli
