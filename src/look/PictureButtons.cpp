#include "PictureButtons.h"

#include "base/FailureText.h"
#include "base/LineReader.h"
#include "base/ProgramFolders.h"

#include <QFile>
#include <QImageReader>
#include <cerrno>

namespace tankeli {

Outcome<QPixmap> loadPicture(const QString &path)
{
    const QString shown = shownPath(path);
    // Opened once by hand first, to tell a missing file from one that may not be read,
    // and never to wait on a FIFO or a device in the picture's place.
    {
        const ReadableFile file(QFile::encodeName(path));
        if (file.openError() == ENOENT)
            return Outcome<QPixmap>::failure(QStringLiteral("Kuvatiedostoa %1 ei löytynyt.").arg(shown));
        if (!file.isOpen())
            return Outcome<QPixmap>::failure(QStringLiteral("Kuvatiedostoa %1 ei voitu lukea: %2.")
                                                 .arg(shown, file.problem()));
    }
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return Outcome<QPixmap>::failure(QStringLiteral("Kuvatiedostoa %1 ei voitu lukea: se ei ole "
                                                        "kelvollinen kuva.").arg(shown));
    return QPixmap::fromImage(image);
}

Outcome<ButtonPictures> ButtonPictures::load(const ProgramFolders &folders)
{
    const Outcome<QPixmap> normal = loadPicture(folders.picture(QStringLiteral("button1.gif")));
    if (!normal)
        return Outcome<ButtonPictures>::failure(normal.error());
    const Outcome<QPixmap> highlight = loadPicture(folders.picture(QStringLiteral("button2.gif")));
    if (!highlight)
        return Outcome<ButtonPictures>::failure(highlight.error());
    return ButtonPictures{*normal, *highlight};
}

PictureButtons::PictureButtons(QWidget *window, const ButtonPictures &pictures,
                               const QStringList &captions, QSizeF faceSize, QSizeF captionSize,
                               const QString &prefix)
    : QObject(window)
    , m_pictures(pictures)
{
    for (int i = 0; i < captions.size(); ++i) {
        auto *face = new PictureButton(window, faceSize, captionSize);
        face->setPicture(&m_pictures.Btn1);
        face->setObjectName(QStringLiteral("%1(%2)").arg(prefix).arg(i));
        face->setCaption(captions[i]);
        connect(face, &QAbstractButton::clicked, this, [this, i] { emit clicked(i); });
        connect(face, &PictureButton::pointerMoved, this, [this, i] { Korosta_Nappi(i); });
        m_faces.append(face);
    }
}

void PictureButtons::Korosta_Nappi(int index)
{
    for (int i = 0; i < count(); ++i)
        m_faces[i]->setPicture(i == index ? &m_pictures.Btn2 : &m_pictures.Btn1);
}

} // namespace tankeli
