#pragma once
// A window's set of picture buttons: the faces Nappi(i), their captions Nappi_Txt(i)
// and the two shared pictures Btn1 (normal) and Btn2 (highlight). A click on a face or
// its caption emits clicked(i); moving onto either highlights that button alone.

#include "PictureButton.h"
#include "WindowGeometry.h"

#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QVector>

namespace tankeli {

class ProgramFolders;

// The two button pictures, loaded from pic/button1.gif and pic/button2.gif.
struct ButtonPictures
{
    QPixmap Btn1, Btn2;
    // Loads both; returns a message naming the file and the fault, empty on success.
    QString load(const ProgramFolders &folders);
};

// Loads one picture; on failure returns a null pixmap and sets error.
QPixmap loadPicture(const QString &path, QString &error);

class PictureButtons : public QObject
{
    Q_OBJECT
public:
    PictureButtons(QWidget *window, const ButtonPictures &pictures, int count,
                   QSizeF faceSize = pictureButtonSize, QSizeF captionSize = pictureCaptionSize);

    int count() const { return int(m_faces.size()); }
    PictureButton *Nappi(int i) const { return m_faces[i]; }
    QLabel *Nappi_Txt(int i) const { return m_captions[i]; }
    void setCaption(int i, const QString &caption);
    // Moves button i and its caption to the given top-left corners (fractional pixels).
    void place(int i, QPointF face, QPointF caption);

    // Button `index` gets the highlight picture, every other one the normal picture.
    void Korosta_Nappi(int index);
    // Every button back to the normal picture.
    void showAllNormal();
    bool isHighlighted(int i) const { return m_faces[i]->picture() == &m_pictures.Btn2; }

signals:
    void clicked(int index);

private:
    ButtonPictures m_pictures;
    QVector<PictureButton *> m_faces;
    QVector<QLabel *> m_captions;
};

} // namespace tankeli
