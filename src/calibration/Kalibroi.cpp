#include "Kalibroi.h"

#include "CalibrationLayout.h"
#include "ErrorMargin.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>

namespace tankeli {
namespace {
const QString choiceText = QStringLiteral("Käytä laskutoimituksessa kalibrointia");
const std::array<const char16_t *, 3> rowCaptions{u"Nopeusnäyttö", u"Auton mittari",
                                                  u"Virhemarginaali"};
} // namespace

Kalibroi::Kalibroi(ProgramFolders folders, Tankeli *mainWindow)
    : SecondaryWindow(mainWindow)
    , m_folders(std::move(folders))
    , m_main(mainWindow)
    , m_title(makeLabel(this, CalibrationLayout::titleSize, Qt::AlignCenter))
    , m_choiceCaption(makeLabel(this, CalibrationLayout::choiceCaptionSize,
                                Qt::AlignLeft | Qt::AlignVCenter, choiceText))
    , m_option(new PictureButton(this))
{
    setWindowTitle(QStringLiteral("Kalibrointi"));
    m_title->setWordWrap(true);
    // This caption keeps the window's smaller default font.
    m_choiceCaption->setFont(canvasFont());
    for (int i = 0; i < 3; ++i) {
        auto *field = new QLineEdit(QStringLiteral("0"), this);
        field->setFont(labelFont());
        field->resize(CalibrationLayout::fieldSize.toSize());
        field->setAccessibleName(QString::fromUtf16(rowCaptions[i]));
        m_fields[i] = field;
        m_captions[i] = makeLabel(this, CalibrationLayout::captionSize,
                                  Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf16(rowCaptions[i]));
    }
    for (int i = 0; i < 2; ++i)
        m_units[i] = makeLabel(this, CalibrationLayout::unitSize, Qt::AlignLeft | Qt::AlignVCenter,
                               QStringLiteral("Km / h"));
    setTabOrder(m_fields[0], m_fields[1]);
    setTabOrder(m_fields[1], m_fields[2]);
    for (QLineEdit *reading : {txt_Taulu(), txt_Mittari()})
        connect(reading, &QLineEdit::textChanged, this, &Kalibroi::readingChanged);

    // The on/off picture is a check box to the accessibility bus.
    m_option->resize(CalibrationLayout::optionSize.toSize());
    m_option->setCheckable(true);
    m_option->setText(choiceText);
    m_option->setAccessibleName(choiceText);
    connect(m_option, &QAbstractButton::clicked, this, &Kalibroi::toggleChoice);

    setMinimumOuterTwips(CalibrationLayout::minimumOuterWidthTwips,
                         CalibrationLayout::minimumOuterHeightTwips);
    resize(CalibrationLayout::designedClient);
}

QString Kalibroi::Form_Load()
{
    m_title->setText(QStringLiteral("Ilmoita ohjelmalle, jos olet ajanut nopeusnäyttöön lukemat "
                                    "paljonko näyttö ilmoitti nopeudeksi ja paljonko autosi "
                                    "mittari näytti nopeudeksi."));
    QString error;
    m_off = loadPicture(m_folders.picture(QStringLiteral("option1.gif")), error);
    if (error.isEmpty())
        m_on = loadPicture(m_folders.picture(QStringLiteral("option2.gif")), error);
    if (!error.isEmpty())
        return error;
    txt_Mittari()->setText(QString::number(m_main->Mittarin_Lukema));
    txt_Taulu()->setText(QString::number(m_main->Taulun_Lukema));

    ButtonPictures pictures;
    error = pictures.load(m_folders);
    if (!error.isEmpty())
        return error;
    m_buttons = addButtons(pictures, {QStringLiteral("Sulje")});
    connect(m_buttons, &PictureButtons::clicked, this, &Kalibroi::Nappi_Komento);
    txt_Taulu()->setToolTip(QStringLiteral("Aseta lukema, jonka olet ajanut nopeusnäyttöön."));
    txt_Mittari()->setToolTip(
        QStringLiteral("Aseta lukema, jonka autosi nopeusmittari näytti taulun kohdalla."));
    Form_Resize();
    return {};
}

// Every change of either reading recomputes the margin; a change that gives none (an
// empty or non-numeric reading, a display reading of 0) leaves everything as it was.
void Kalibroi::readingChanged()
{
    const auto margin = Laske_Virhemarginaali(txt_Taulu()->text(), txt_Mittari()->text());
    if (!margin)
        return;
    txt_Virhe()->setText(marginText(*margin));
    m_main->Virhemarginaali = static_cast<float>(*margin);
}

void Kalibroi::showChoice(bool on)
{
    m_option->setPicture(on ? &m_on : &m_off);
    m_option->setChecked(on);
}

bool Kalibroi::choiceIsOn() const
{
    return m_option->picture() == &m_on;
}

void Kalibroi::toggleChoice()
{
    showChoice(m_option->picture() == &m_off);
}

void Kalibroi::Nappi_Komento(int index)
{
    if (index == 0)
        close();
}

bool Kalibroi::event(QEvent *event)
{
    // Each activation shows the choice that is in force in the main window.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        showChoice(m_main->Kalibrointi_Kaytossa);
    return SecondaryWindow::event(event);
}

void Kalibroi::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

// Commits both readings and the choice. A reading that is not a whole number within
// the 16-bit range keeps its previously committed value; the rest is committed all
// the same.
void Kalibroi::Form_Unload()
{
    if (const auto display = commitReading(txt_Taulu()->text()))
        m_main->Taulun_Lukema = *display;
    if (const auto meter = commitReading(txt_Mittari()->text()))
        m_main->Mittarin_Lukema = *meter;
    m_main->Kalibrointi_Kaytossa = choiceIsOn();
    m_main->Menu_Kalibroi->setChecked(m_main->Kalibrointi_Kaytossa);
    focusMainWindow();
}

void Kalibroi::Form_Resize()
{
    const CalibrationLayout l = layoutCalibrationWindow(width(), height());
    m_title->move(l.title.toPoint());
    if (m_buttons)
        m_buttons->place(0, l.button, l.buttonCaption);
    for (int i = 0; i < 3; ++i) {
        m_fields[i]->move(l.fields[i].toPoint());
        m_captions[i]->move(l.captions[i].toPoint());
    }
    for (int i = 0; i < 2; ++i)
        m_units[i]->move(l.units[i].toPoint());
    m_choiceCaption->move(l.choiceCaption.toPoint());
    m_option->move(l.option.toPoint());
}

void Kalibroi::resizeEvent(QResizeEvent *event)
{
    SecondaryWindow::resizeEvent(event);
    Form_Resize();
}

} // namespace tankeli
