#include "Help.h"

#include "HelpLayout.h"
#include "HelpText.h"
#include "look/Fonts.h"
#include "look/PictureButtons.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace tankeli {

Help::Help(ProgramFolders folders, QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , m_folders(std::move(folders))
    , m_text(new QPlainTextEdit(this))
{
    m_text->setFont(labelFont());
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setAccessibleName(QStringLiteral("Ohjeita"));
    m_text->move(HelpLayout::textTopLeftDesign.toPoint());
    m_text->resize(HelpLayout::textDesignSize.toSize());
    m_text->installEventFilter(this);
    setMinimumOuterTwips(HelpLayout::minimumOuterWidthTwips, HelpLayout::minimumOuterHeightTwips);
    resize(HelpLayout::designedClient);
}

QString Help::Form_Load()
{
    // The widget shows the line breaks of the text; its CR LF pairs become one each.
    m_text->setPlainText(helpText());
    ButtonPictures pictures;
    const QString error = pictures.load(m_folders);
    if (!error.isEmpty())
        return error;
    m_buttons = addButtons(pictures, {QStringLiteral("Sulje")});
    connect(m_buttons, &PictureButtons::clicked, this, &Help::Nappi_Komento);
    Form_Resize();
    return {};
}

void Help::Nappi_Komento(int index)
{
    if (index == 0)
        hideToMainWindow();
}

void Help::Form_Resize()
{
    const HelpLayout l = layoutHelpWindow(width(), height());
    QSize textSize = m_text->size();
    if (l.textWidth)
        textSize.setWidth(int(*l.textWidth));
    if (l.textHeight)
        textSize.setHeight(int(*l.textHeight));
    m_text->setGeometry(int(l.textLeft), m_text->y(), textSize.width(), textSize.height());
    if (m_buttons)
        m_buttons->place(0, l.button, l.buttonCaption);
}

void Help::resizeEvent(QResizeEvent *event)
{
    SecondaryWindow::resizeEvent(event);
    Form_Resize();
}

void Help::closeEvent(QCloseEvent *event)
{
    event->accept();
    focusMainWindow();
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

} // namespace tankeli
