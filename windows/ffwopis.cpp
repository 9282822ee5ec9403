#include "ffwopis.h"

#include "spellinghighlighter.h"
#include "usersettings.h"

#include "editing/documenteditor.h"

#include "document/computedvalues.h"
#include "document/formatting.h"
#include "help/helpcontext.h"
#include "qtbridge/cp1250text.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace wykazki {

namespace {

const QColor kAqua(0, 255, 255);
const QColor kRed(255, 0, 0);
const char* const kPlaceKey = "longTextEditor/place";

// Stored texts break lines with CR LF; the text box with LF alone.
QString forDisplay(const std::string& stored)
{
    QString text = qstringFromCp1250(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string forStorage(const QString& shown)
{
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp1250FromQString(text, Unmappable::Drop);
}

}  // namespace

Tffwopis::Tffwopis(DocumentEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), editor_(editor),
      document_(editor.document())
{
    setObjectName(QStringLiteral("ffwopis"));
    setWindowTitle(QStringLiteral("Tekst"));
    helpcontext::set(*this, helpcontext::kLongText);
    // The old form's size is the least the window needs.
    setMinimumSize(323, 93);
    resize(323, 93);

    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("Memo1"));
    // One history for the whole program: the main window's Cofnij, whose
    // keys the text box would otherwise keep for itself.
    textBox_->setUndoRedoEnabled(false);
    textBox_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(textBox_);
    connect(textBox_, &QPlainTextEdit::textChanged, this, &Tffwopis::textEdited);
    spelling_ = new SpellingHighlighter(textBox_->document(),
                                        [this] { return speller_ ? speller_() : nullptr; });
    textBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(textBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = contextMenuAt(at);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(textBox_->viewport()->mapToGlobal(at));
    });
    connect(&editor_, &DocumentEditor::changed, this, &Tffwopis::documentChanged);
}

bool Tffwopis::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != textBox_
        || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab types nothing: the box is the window's one control, and a TAB in a
    // pupil's text would print as a gap of the font's choosing.
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();
        return event->type() == QEvent::KeyPress;
    }
    const QKeySequence pressed(key->keyCombination());
    const bool undo = undoKeys_.contains(pressed);
    const bool redo = redoKeys_.contains(pressed);
    if (!undo && !redo)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // the key press comes here
        return true;
    }
    if (undo)
        editor_.undoStack().undo();
    else
        editor_.undoStack().redo();
    return true;
}

void Tffwopis::setSpeller(std::function<const Speller*()> speller)
{
    speller_ = std::move(speller);
    settingText_ = true;
    spelling_->rehighlight();
    settingText_ = false;
}

void Tffwopis::setSpellChecking(bool on)
{
    // Underlining announces a change of the text box's contents; it is no
    // edit, and must not store the box's text into a newly bound cell.
    settingText_ = true;
    spelling_->setChecking(on);
    settingText_ = false;
}

QMenu* Tffwopis::contextMenuAt(const QPoint& position)
{
    QMenu* menu = textBox_->createStandardContextMenu(position);
    const int at = textBox_->cursorForPosition(position).position();
    const SpellingHighlighter::Suggestion s = spelling_->suggestionAt(at);
    if (s.word.isEmpty() || textBox_->isReadOnly())
        return menu;
    QAction* first = menu->actions().value(0);
    if (s.replacements.isEmpty()) {
        QAction* none = new QAction(QStringLiteral("Brak podpowiedzi dla „%1”").arg(s.word), menu);
        none->setEnabled(false);
        menu->insertAction(first, none);
    }
    for (const QString& replacement : s.replacements) {
        QAction* use = new QAction(replacement, menu);
        QFont bold = use->font();
        bold.setBold(true);
        use->setFont(bold);
        connect(use, &QAction::triggered, this, [this, s, replacement] {
            QTextCursor cursor(textBox_->document());
            cursor.setPosition(s.start);
            cursor.setPosition(s.start + s.length, QTextCursor::KeepAnchor);
            cursor.insertText(replacement);  // stored as typing is
        });
        menu->insertAction(first, use);
    }
    menu->insertSeparator(first);
    return menu;
}

void Tffwopis::showText(const QString& text)
{
    settingText_ = true;
    textBox_->setPlainText(text);
    settingText_ = false;
    textBox_->moveCursor(QTextCursor::End);
}

void Tffwopis::setReadOnlyLook(bool readOnly)
{
    QPalette palette = textBox_->palette();
    palette.setColor(QPalette::Base, readOnly ? kRed : kAqua);
    textBox_->setPalette(palette);
    textBox_->setReadOnly(readOnly);
}

void Tffwopis::bind(int x, int y, bool readOnly)
{
    boundPupil_ = x;
    boundPhrase_ = y;
    readOnly_ = readOnly;
    // Names are not spell-checked, nor are grades and pictures.
    setSpellChecking(!readOnly && namePhrase(document_.phrases()) != std::size_t(y));
    setReadOnlyLook(readOnly);
    if (readOnly)
        showText(QString::fromLatin1(kUnnamedMark));
    else
        showText(forDisplay(
            document_.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y)).text));
    if (isHidden())
        present();
}

void Tffwopis::setHistoryKeys(QList<QKeySequence> undo, QList<QKeySequence> redo)
{
    undoKeys_ = std::move(undo);
    redoKeys_ = std::move(redo);
}

void Tffwopis::setAnchor(QWidget& mainWindow, QWidget& grid)
{
    mainWindow_ = &mainWindow;
    grid_ = &grid;
}

void Tffwopis::present()
{
    if (!placed_) {
        place();
        placed_ = true;
    }
    // Above the main window only: the preview and the help come in front
    // of it when they are used.
    if (mainWindow_ != nullptr && mainWindow_->windowHandle() != nullptr) {
        create();
        windowHandle()->setTransientParent(mainWindow_->windowHandle());
    }
    show();
}

void Tffwopis::place()
{
    const QRect stored = UserSettings().value(kPlaceKey).toRect();
    if (stored.isValid()) {
        // Only where a screen of this computer shows its title bar.
        const QScreen* screen = QGuiApplication::screenAt(stored.topLeft() + QPoint(8, 8));
        if (screen != nullptr && screen->availableGeometry().contains(stored.topLeft())) {
            resize(stored.size().expandedTo(minimumSize()));
            move(stored.topLeft());
            return;
        }
    }
    if (mainWindow_ == nullptr || grid_ == nullptr || !mainWindow_->isVisible())
        return;
    const QScreen* screen = mainWindow_->screen();
    const QRect grid(grid_->mapToGlobal(QPoint(0, 0)), grid_->size());
    // The frame's title bar takes room above the client area.
    const int titleBar = std::max(frameGeometry().height() - height(), 0);
    const QSize framed = size() + QSize(0, titleBar);
    const QRect place = longTextPlace(mainWindow_->frameGeometry(), grid, framed,
                                      screen ? screen->availableGeometry() : QRect());
    move(place.topLeft());
}

void Tffwopis::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Remembered for this user, not in the class file.
    if (placed_)
        UserSettings().setValue(kPlaceKey, QRect(pos(), size()));
}

QRect longTextPlace(const QRect& mainFrame, const QRect& grid, const QSize& size,
                    const QRect& screen)
{
    constexpr int kGap = 4;
    const QRect candidates[] = {
        QRect(QPoint(mainFrame.right() + 1 + kGap, grid.top()), size),
        QRect(QPoint(mainFrame.left(), mainFrame.bottom() + 1 + kGap), size),
        QRect(QPoint(mainFrame.left() - kGap - size.width(), grid.top()), size),
    };
    for (const QRect& candidate : candidates)
        if (screen.contains(candidate))
            return candidate;
    // Over the grid's last cells, never above the grid's top (the toolbar
    // and the menus) nor left of it (the row headers stay readable where
    // the grid is wide enough).
    int left = std::max(grid.right() + 1 - size.width(), grid.left());
    int top = std::max(grid.bottom() + 1 - size.height(), grid.top());
    // A grid that reaches past the screen's edge (a large window at a
    // large scale) still leaves the editor wholly on the screen.
    if (screen.isValid()) {
        left = std::max(screen.left(), std::min(left, screen.right() + 1 - size.width()));
        top = std::max(screen.top(), std::min(top, screen.bottom() + 1 - size.height()));
    }
    return {QPoint(left, top), size};
}

void Tffwopis::unbind()
{
    boundPupil_ = -1;
    boundPhrase_ = -1;
    readOnly_ = true;
    setSpellChecking(false);
    setReadOnlyLook(true);
    showText(QString());
}

void Tffwopis::documentChanged(const DocumentChange& change)
{
    if (storing_ || readOnly_ || boundPupil_ < 0)
        return;
    const auto x = static_cast<std::size_t>(boundPupil_);
    const auto y = static_cast<std::size_t>(boundPhrase_);
    // A change of pupils or phrases unbinds through the main window; here
    // only the shown text follows the grid's typing, undo and redo.
    if (!change.touches(DocumentChange::Values) || !change.block.contains(x, y))
        return;
    if (x < document_.pupils().count() && y < document_.phrases().count())
        showText(forDisplay(document_.value(x, y).text));
}

bool Tffwopis::follow(bool enabled, int x, int y)
{
    if (!enabled) {
        hide();
        return false;
    }
    const auto pupils = static_cast<int>(document_.pupils().count());
    const auto phrases = static_cast<int>(document_.phrases().count());
    if (pupils == 0 || phrases == 0 || x < 0 || x >= pupils || y < 0 || y >= phrases)
        return false;
    switch (document_.phrases()[static_cast<std::size_t>(y)].kind) {
    case PhraseKind::Text:
        // The program's own value is not typed over here either.
        bind(x, y,
             taggedRole(document_.phrases()[static_cast<std::size_t>(y)]) == PhraseRole::Average);
        return true;
    case PhraseKind::Grade:
    case PhraseKind::Picture: bind(x, y, true); return true;
    default: return false;
    }
}

void Tffwopis::textEdited()
{
    if (readOnly_ || settingText_)
        return;
    const auto x = static_cast<std::size_t>(boundPupil_);
    const auto y = static_cast<std::size_t>(boundPhrase_);
    if (x >= document_.pupils().count() || y >= document_.phrases().count())
        return;

    const QString shown = textBox_->toPlainText();
    std::string stored = forStorage(shown);
    // A character Windows-1250 cannot hold is refused: take it out of the
    // box, and say which.
    if (forDisplay(stored) != shown) {
        if (lostCharacters_)
            lostCharacters_(boundPupil_, boundPhrase_, unmappableCharacters(shown));
        const int position = textBox_->textCursor().position();
        const int removed = static_cast<int>(shown.size() - forDisplay(stored).size());
        settingText_ = true;
        textBox_->setPlainText(forDisplay(stored));
        settingText_ = false;
        QTextCursor cursor = textBox_->textCursor();
        cursor.setPosition(std::max(
            0, std::min(position - removed, static_cast<int>(textBox_->toPlainText().size()))));
        textBox_->setTextCursor(cursor);
    }
    storing_ = true;
    editor_.typeIntoBlock(QStringLiteral("edycja tekstu"), CellBlock::cell(x, y), PhraseKind::Text,
                          std::move(stored));
    storing_ = false;
}

}  // namespace wykazki
