#include "Help.h"

#include "HelpLayout.h"
#include "HelpText.h"
#include "look/Fonts.h"
#include "look/PictureButtons.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace tankeli {

Help::Help(const ProgramFolders &folders, QWidget *mainWindow)
    : SecondaryWindow(folders, mainWindow,
                      {HelpLayout::designedClient, HelpLayout::minimumOuterTwips,
                       HelpLayout::contentMinimum()})
    , m_text(new QPlainTextEdit(this))
{
    m_text->setFont(labelFont());
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setAccessibleName(QStringLiteral("Ohjeita"));
    m_text->setObjectName(QStringLiteral("Ohje"));
    m_text->setGeometry(QRect(HelpLayout::textTopLeftDesign.toPoint(),
                              HelpLayout::textDesignSize.toSize()));
    m_text->installEventFilter(this);
}

Done Help::Form_Load()
{
    // The widget shows the line breaks of the text; its CR LF pairs become one each.
    m_text->setPlainText(helpText());
    const Done made = makeButtons({QStringLiteral("Sulje")});
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, &Help::Nappi_Komento);
    buttons()->Nappi(0)->setKeyName(QStringLiteral("Esc"));
    return {};
}

void Help::Nappi_Komento(int index)
{
    if (index == 0)
        hideToMainWindow();
}

void Help::layOut()
{
    const HelpLayout l = layoutHelpWindow(width(), height());
    m_text->setGeometry(int(l.textLeft), m_text->y(), int(l.textWidth.value_or(m_text->width())),
                        int(l.textHeight.value_or(m_text->height())));
    if (buttons())
        buttons()->place(0, l.button);
}

bool Help::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_S) {
            Nappi_Komento(0);
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

// Escape where the text does not have the focus (on Sulje), as its tooltip says.
void Help::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Nappi_Komento(0);
        return;
    }
    SecondaryWindow::keyPressEvent(event);
}

} // namespace tankeli
