#include "SelectOnFocus.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace tankeli {
namespace {

class TextSelector : public QObject
{
public:
    explicit TextSelector(QLineEdit &field)
        : QObject(&field)
        , m_field(field)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_field && event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason)
                m_field.selectAll();
        }
        return false;
    }

private:
    QLineEdit &m_field;
};

} // namespace

void selectTextOnFocus(QLineEdit &field)
{
    field.installEventFilter(new TextSelector(field));
}

} // namespace tankeli
