#include "PictureButtons.h"

#include "Fonts.h"
#include "app/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace tankeli {

QPixmap loadPicture(const QString &path, QString &error)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        error = QStringLiteral("Kuvatiedostoa %1 ei löytynyt.").arg(shown);
        return {};
    }
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("Kuvatiedostoa %1 ei voitu lukea: %2").arg(shown, reader.errorString());
        return {};
    }
    return QPixmap::fromImage(image);
}

QString ButtonPictures::load(const ProgramFolders &folders)
{
    QString error;
    Btn1 = loadPicture(folders.picture(QStringLiteral("button1.gif")), error);
    if (error.isEmpty())
        Btn2 = loadPicture(folders.picture(QStringLiteral("button2.gif")), error);
    return error;
}

PictureButtons::PictureButtons(QWidget *window, const ButtonPictures &pictures, int count,
                               QSizeF faceSize, QSizeF captionSize)
    : QObject(window)
    , m_pictures(pictures)
{
    for (int i = 0; i < count; ++i) {
        auto *face = new PictureButton(window);
        face->resize(faceSize.toSize());
        face->setPicture(&m_pictures.Btn1);
        auto *caption = new QLabel(window);
        caption->resize(captionSize.toSize());
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(labelFont());
        // Clicks and moves over the caption reach the face beneath it.
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        caption->setAccessibleName(QString()); // the face carries the name
        connect(face, &QAbstractButton::clicked, this, [this, i] { emit clicked(i); });
        connect(face, &PictureButton::pointerMoved, this, [this, i] { Korosta_Nappi(i); });
        m_faces.append(face);
        m_captions.append(caption);
    }
}

void PictureButtons::setCaption(int i, const QString &caption)
{
    m_captions[i]->setText(caption);
    m_faces[i]->setText(caption);
    m_faces[i]->setAccessibleName(caption);
}

void PictureButtons::place(int i, QPointF face, QPointF caption)
{
    m_faces[i]->move(face.toPoint());
    m_captions[i]->move(caption.toPoint());
}

void PictureButtons::Korosta_Nappi(int index)
{
    for (int i = 0; i < count(); ++i)
        m_faces[i]->setPicture(i == index ? &m_pictures.Btn2 : &m_pictures.Btn1);
}

void PictureButtons::showAllNormal()
{
    Korosta_Nappi(-1);
}

} // namespace tankeli
