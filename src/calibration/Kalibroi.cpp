#include "Kalibroi.h"

#include "CalibrationLayout.h"
#include "CalibrationState.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/PictureButtons.h"
#include "look/SelectOnFocus.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

namespace tankeli {
namespace {
const QString explanation = QStringLiteral("Ilmoita ohjelmalle, jos olet ajanut nopeusnäyttöön lukemat "
                                           "paljonko näyttö ilmoitti nopeudeksi ja paljonko autosi "
                                           "mittari näytti nopeudeksi.");
const QString choiceText = QStringLiteral("Käytä laskutoimituksessa kalibrointia");
const std::array<const char16_t *, 3> rowCaptions{u"Nopeusnäyttö", u"Auton mittari",
                                                  u"Virhemarginaali"};
const std::array<const char *, 3> fieldNames{"txt_Taulu", "txt_Mittari", "txt_Virhe"};

// The main window and the windows it holds (its secondary windows); anything else is
// another program's.
bool isProgramWindow(const QWindow *window, const QWidget *mainWindow)
{
    if (!window || !mainWindow)
        return false;
    if (mainWindow->windowHandle() == window)
        return true;
    for (const QObject *child : mainWindow->children()) {
        const auto *held = qobject_cast<const QWidget *>(child);
        if (held && held->isWindow() && held->windowHandle() == window)
            return true;
    }
    return false;
}

// A dialog to a screen reader, which then reads what the window is for as it opens.
QAccessibleInterface *accessibleAsDialog(const QString &className, QObject *object)
{
    if (className == QLatin1String("tankeli::Kalibroi") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}
} // namespace

Kalibroi::Kalibroi(const ProgramFolders &folders, QWidget *mainWindow, CalibrationState &state)
    : SecondaryWindow(folders, mainWindow,
                      {CalibrationLayout::designedClient, CalibrationLayout::minimumOuterTwips,
                       CalibrationLayout::contentMinimum()})
    , m_state(state)
    , m_title(makeLabel(this, CalibrationLayout::titleSize, Qt::AlignCenter))
    , m_choiceCaption(makeLabel(this, CalibrationLayout::choiceCaptionSize,
                                Qt::AlignLeft | Qt::AlignVCenter, choiceText))
    , m_option(new PictureButton(this, CalibrationLayout::optionSize, QSizeF(0, 0)))
{
    static const bool roleInstalled = (QAccessible::installFactory(accessibleAsDialog), true);
    Q_UNUSED(roleInstalled);
    setWindowTitle(QStringLiteral("Kalibrointi"));
    setAccessibleDescription(explanation);
    m_title->setWordWrap(true);
    // The explanation is the window's own text: as the window opens a screen reader reads
    // it once, as the window's description, not again as a loose caption.
    m_title->setBuddy(this);
    m_title->setObjectName(QStringLiteral("txt_Otsikko"));
    // This caption keeps the window's smaller default font.
    m_choiceCaption->setFont(canvasFont());
    m_choiceCaption->setObjectName(QStringLiteral("txt_Kalibrointia"));
    m_choiceCaption->installEventFilter(this);
    // Each caption names its control to a screen reader, which then does not read it
    // again as text of its own when the window opens.
    m_choiceCaption->setBuddy(m_option);
    for (int i = 0; i < 3; ++i) {
        auto *text = new QLineEdit(QStringLiteral("0"), this);
        text->setFont(labelFont());
        text->resize(CalibrationLayout::fieldSize.toSize());
        text->setObjectName(QString::fromLatin1(fieldNames[i]));
        text->setAccessibleName(QString::fromUtf16(rowCaptions[i]));
        selectTextOnFocus(*text);
        m_fields[i] = text;
        m_captions[i] = makeLabel(this, CalibrationLayout::captionSize,
                                  Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf16(rowCaptions[i]));
        m_captions[i]->setBuddy(text);
    }
    for (int i = 0; i < 2; ++i) {
        m_units[i] = makeLabel(this, CalibrationLayout::unitSize, Qt::AlignLeft | Qt::AlignVCenter,
                               QStringLiteral("Km / h"));
        m_fields[i]->setAccessibleDescription(m_units[i]->text());
        m_units[i]->setBuddy(m_fields[i]);
    }
    // The on/off picture is a check box to the keyboard and to a screen reader: its
    // check state is the choice, and the picture always follows it.
    m_option->setObjectName(QStringLiteral("Opti"));
    m_option->setCheckable(true);
    m_option->setFocusPolicy(Qt::StrongFocus);
    m_option->setAccessibleName(choiceText);
    connect(m_option, &QAbstractButton::toggled, this,
            [this](bool on) { m_option->setPicture(on ? &m_on : &m_off); });
    setTabOrder(m_fields[0], m_fields[1]);
    setTabOrder(m_fields[1], m_fields[2]);
    setTabOrder(m_fields[2], m_option);
    m_previousFocus = QGuiApplication::focusWindow();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Kalibroi::focusWindowChanged);
}

Done Kalibroi::Form_Load()
{
    m_title->setText(explanation);
    const Outcome<QPixmap> off = loadPicture(folders().picture(QStringLiteral("option1.gif")));
    if (!off)
        return Done::failure(off.error());
    const Outcome<QPixmap> on = loadPicture(folders().picture(QStringLiteral("option2.gif")));
    if (!on)
        return Done::failure(on.error());
    m_off = *off;
    m_on = *on;
    m_state.windowCreated();
    for (int i = 0; i < 3; ++i) {
        const QString &text = i == 0 ? m_state.displayText()
            : i == 1                 ? m_state.meterText()
                                     : m_state.marginText();
        field(i)->setText(text);
        field(i)->setCursorPosition(0);
    }
    for (int i = 0; i < 2; ++i)
        connect(field(i), &QLineEdit::textChanged, this, &Kalibroi::readingChanged);

    const Done made = makeButtons({QStringLiteral("Sulje")});
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { Nappi_Komento(Command(index)); });
    buttons()->Nappi(0)->setKeyName(QStringLiteral("Esc"));
    setTabOrder(m_option, buttons()->Nappi(0)); // Sulje lies below the choice
    field(0)->setToolTip(QStringLiteral("Aseta lukema, jonka olet ajanut nopeusnäyttöön."));
    field(1)->setToolTip(QStringLiteral("Aseta lukema, jonka autosi nopeusmittari näytti taulun kohdalla."));
    showCommittedChoice();
    field(0)->setFocus(); // the window opens with the focus in the first reading
    return {};
}

// Every change of either reading recomputes the margin; a change that gives none (an
// empty or non-numeric reading, a display reading of 0) leaves everything as it was.
void Kalibroi::readingChanged()
{
    m_state.setReadingTexts(field(0)->text(), field(1)->text());
    if (field(2)->text() != m_state.marginText()) {
        field(2)->setText(m_state.marginText());
        field(2)->setCursorPosition(0);
    }
}

void Kalibroi::showCommittedChoice()
{
    m_option->setChecked(m_state.Kalibrointi_Kaytossa());
    m_option->setPicture(m_option->isChecked() ? &m_on : &m_off);
}

void Kalibroi::Nappi_Komento(Command command)
{
    if (command == Command::Close)
        closeCommand();
}

// The choice shown is reset to the one in force when the window is shown by the
// program, or activated from another of the program's windows; not when the user
// comes back from another program or restores the window from its minimised state.
void Kalibroi::focusWindowChanged(QWindow *now)
{
    if (now && now == windowHandle()) {
        if (isProgramWindow(m_previousFocus, parentWidget()) && !m_minimisedSinceActive)
            showCommittedChoice();
        m_minimisedSinceActive = false;
    }
    m_previousFocus = now;
}

bool Kalibroi::event(QEvent *event)
{
    if (event->type() == QEvent::Show && !event->spontaneous())
        showCommittedChoice();
    else if (event->type() == QEvent::WindowStateChange && isMinimized())
        m_minimisedSinceActive = true;
    return SecondaryWindow::event(event);
}

bool Kalibroi::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the choice's caption toggles it as a click on its picture does.
    if (watched == m_choiceCaption && (event->type() == QEvent::MouseButtonPress
                                       || event->type() == QEvent::MouseButtonRelease)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (event->type() == QEvent::MouseButtonRelease)
            m_option->click();
        return true;
    }
    return SecondaryWindow::eventFilter(watched, event);
}

// Commits both readings and the choice, then the main window gets the focus back.
void Kalibroi::Form_Unload()
{
    m_state.commit(m_option->isChecked());
    emit committed();
    emit left();
}

void Kalibroi::layOut()
{
    const CalibrationLayout l = layoutCalibrationWindow(width(), height());
    m_title->move(l.title.toPoint());
    if (buttons())
        buttons()->place(0, l.button);
    for (int i = 0; i < 3; ++i) {
        m_fields[i]->move(l.fields[i].toPoint());
        m_captions[i]->move(l.captions[i].toPoint());
    }
    for (int i = 0; i < 2; ++i)
        m_units[i]->move(l.units[i].toPoint());
    m_choiceCaption->move(l.choiceCaption.toPoint());
    m_option->move(l.option.toPoint());
}

} // namespace tankeli
