#include "glyphtoolbar.h"

#include "glyphs.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace wykazki {

QToolBar* makeGlyphToolBar(QWidget& parent)
{
    auto* toolbar = new QToolBar(&parent);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // A toolbar hidden from its context menu could not be brought back.
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    return toolbar;
}

QAction* makeGlyphAction(QObject& owner, const GlyphCommand& command, const QString& text)
{
    const QString hint = QString::fromUtf8(command.hint);
    auto* action = new QAction(glyph(command.glyph), text.isEmpty() ? hint : text, &owner);
    action->setToolTip(hint);
    action->setIconVisibleInMenu(false);
    return action;
}

QToolButton& addGlyphButton(QToolBar& toolbar, QAction& action, const GlyphCommand& command)
{
    toolbar.addAction(&action);
    auto* button = qobject_cast<QToolButton*>(toolbar.widgetForAction(&action));
    Q_ASSERT(button != nullptr);
    button->setObjectName(QString::fromLatin1(command.buttonName));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    // A picture alone says nothing to a screen reader: the command's name.
    button->setAccessibleName(action.toolTip().isEmpty()
                                  ? QString(action.text()).remove(QLatin1Char('&'))
                                  : action.toolTip());
    return *button;
}

QToolButton& addGlyphCommand(QToolBar& toolbar, QObject& owner, const GlyphCommand& command,
                             std::function<void()> run)
{
    QAction* action = makeGlyphAction(owner, command);
    QObject::connect(action, &QAction::triggered, &owner, [run = std::move(run)] { run(); });
    QToolButton& button = addGlyphButton(toolbar, *action, command);
    // A window's only way to its commands: Tab reaches them, Space presses.
    button.setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace wykazki
