#include "Help.h"

#include "HelpLayout.h"
#include "HelpText.h"
#include "look/Fonts.h"
#include "look/PictureButtons.h"

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
    closeOnS({m_text});
}

Done Help::Form_Load()
{
    // The widget shows the line breaks of the text; its CR LF pairs become one each.
    m_text->setPlainText(helpText());
    const Done made = makeButtons({QStringLiteral("Sulje")});
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { Nappi_Komento(Command(index)); });
    buttons()->Nappi(0)->setKeyName(QStringLiteral("Esc"));
    return {};
}

void Help::Nappi_Komento(Command command)
{
    if (command == Command::Close)
        closeCommand();
}

void Help::layOut()
{
    const HelpLayout l = layoutHelpWindow(width(), height());
    m_text->setGeometry(int(l.textLeft), m_text->y(), int(l.textWidth.value_or(m_text->width())),
                        int(l.textHeight.value_or(m_text->height())));
    if (buttons())
        buttons()->place(0, l.button);
}

} // namespace tankeli
