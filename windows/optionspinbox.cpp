#include "optionspinbox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace wykazki {

namespace {

constexpr int kMaxCharacters = 3;

bool isTypedCharacterAllowed(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return true;  // arrows, page keys, Home, End: no character typed
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    // Shortcuts (copy, undo, ...) type nothing.
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return true;
    return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
}

}  // namespace

OptionSpinBox::OptionSpinBox(int minimum, int maximum, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    lineEdit()->setMaxLength(kMaxCharacters);
}

void OptionSpinBox::keyPressEvent(QKeyEvent* event)
{
    if (!isTypedCharacterAllowed(*event)) {
        event->accept();  // refused, and not handed on to the window either
        return;
    }
    QSpinBox::keyPressEvent(event);
}

}  // namespace wykazki
