// Saves the same record over and over, alternating two contents, until it is killed.
// The fault test kills it in the middle of saving and looks at what is left.
#include "records/RecordStore.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    tankeli::RecordStore store(app.arguments().value(1));
    const tankeli::RecordValues older{"1,3", "7,5", "120", "11,7", "9"};
    const tankeli::RecordValues newer{"1,45", "6,25", "1000", "90,625", "62,5"};
    for (unsigned i = 0;; ++i)
        if (!store.write(QStringLiteral("matka.sav"), i % 2 ? newer : older).ok())
            return 1;
}
