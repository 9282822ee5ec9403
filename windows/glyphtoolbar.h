#pragma once
// The row of 32 x 32 glyph buttons at the top of the program's windows: a
// QToolBar over QActions, so that a command shared with a menu has one
// enabled state, one shortcut and one hint wherever it is offered.

#include <QString>

#include <functional>

class QAction;
class QObject;
class QToolBar;
class QToolButton;
class QWidget;

namespace wykazki {

struct GlyphCommand {
    const char* buttonName;  // object name of the tool button: "SpeedButton1", ...
    const char* glyph;       // resource name: "ZAPISZ", ...
    const char* hint;        // tooltip, UTF-8
};

// A fixed toolbar (not movable, no context menu) holding 32 x 32 glyphs.
QToolBar* makeGlyphToolBar(QWidget& parent);

// A new action owned by `owner` with the command's glyph and hint; `text`
// is what a menu shows (the hint when empty). The glyph stays out of menus.
QAction* makeGlyphAction(QObject& owner, const GlyphCommand& command, const QString& text = {});

// Puts `action` on the toolbar and returns its button, which takes no
// keyboard focus and carries the command's button name.
QToolButton& addGlyphButton(QToolBar& toolbar, QAction& action, const GlyphCommand& command);

// A command of the toolbar alone: a new action that runs `run`, on its button.
QToolButton& addGlyphCommand(QToolBar& toolbar, QObject& owner, const GlyphCommand& command,
                             std::function<void()> run);

}  // namespace wykazki
