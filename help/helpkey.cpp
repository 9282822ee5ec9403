#include "helpkey.h"

#include "helpcontext.h"

#include <QKeyEvent>
#include <QWidget>

namespace wykazki {

HelpKey::HelpKey(std::function<void(int)> open, QObject* parent)
    : QObject(parent), open_(std::move(open))
{
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return false;
    open_(helpcontext::of(static_cast<QWidget*>(watched)));
    return true;  // no grid or editor sees F1 as a key of its own
}

}  // namespace wykazki
