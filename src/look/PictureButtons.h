#pragma once
// A window's set of picture buttons sharing the two pictures Btn1 (normal) and Btn2
// (highlight). A click on a button emits clicked(i); moving onto a button highlights it
// alone; moving over the window's background puts every button back to normal.

#include "PictureButton.h"
#include "base/WindowGeometry.h"
#include "base/Outcome.h"

#include <QObject>
#include <QPixmap>
#include <QVector>

namespace tankeli {

class ProgramFolders;

// Loads a picture; the failure names the file and why it cannot be read.
Outcome<QPixmap> loadPicture(const QString &path);

// The two button pictures, loaded from pic/button1.gif and pic/button2.gif.
struct ButtonPictures
{
    QPixmap Btn1;
    QPixmap Btn2;
    static Outcome<ButtonPictures> load(const ProgramFolders &folders);
};

class PictureButtons : public QObject
{
    Q_OBJECT
public:
    // The buttons' object names are prefix(0), prefix(1) and so on.
    PictureButtons(QWidget *window, const ButtonPictures &pictures, const QStringList &captions,
                   QSizeF faceSize = pictureButtonSize, QSizeF captionSize = pictureCaptionSize,
                   const QString &prefix = QStringLiteral("Nappi"));

    int count() const { return int(m_faces.size()); }
    PictureButton *Nappi(int i) const { return m_faces[i]; }
    QString caption(int i) const { return m_faces[i]->text(); }
    void setCaption(int i, const QString &caption) { m_faces[i]->setCaption(caption); }
    void place(int i, QPointF topLeft) { m_faces[i]->move(topLeft.toPoint()); }

    // Button `index` gets the highlight picture, every other one the normal picture.
    void Korosta_Nappi(int index);
    void showAllNormal() { Korosta_Nappi(-1); }

signals:
    void clicked(int index);

private:
    ButtonPictures m_pictures;
    QVector<PictureButton *> m_faces;
};

} // namespace tankeli
