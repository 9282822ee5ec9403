#include "ffwopis.h"

#include "editing/documenteditor.h"

#include "document/formatting.h"
#include "help/helpcontext.h"
#include "qtbridge/cp1250text.h"

#include <QKeyEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

const QColor kAqua(0, 255, 255);
const QColor kRed(255, 0, 0);

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
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      editor_(editor), document_(editor.document())
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
    connect(&editor_, &DocumentEditor::changed, this, &Tffwopis::documentChanged);
}

bool Tffwopis::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != textBox_
        || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination combination = key->keyCombination();
    const bool undo = combination == (Qt::ALT | Qt::Key_Backspace);
    const bool redo = combination == (Qt::CTRL | Qt::Key_Y);
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
    setReadOnlyLook(readOnly);
    if (readOnly)
        showText(QString::fromLatin1(kUnnamedMark));
    else
        showText(forDisplay(
            document_.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y)).text));
    if (isHidden())
        show();
}

void Tffwopis::unbind()
{
    boundPupil_ = -1;
    boundPhrase_ = -1;
    readOnly_ = true;
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
    if (x < document_.dokumenty().count() && y < document_.frazy().count())
        showText(forDisplay(document_.value(x, y).text));
}

bool Tffwopis::follow(bool enabled, int x, int y)
{
    if (!enabled) {
        hide();
        return false;
    }
    const auto pupils = static_cast<int>(document_.dokumenty().count());
    const auto phrases = static_cast<int>(document_.frazy().count());
    if (pupils == 0 || phrases == 0 || x < 0 || x >= pupils || y < 0 || y >= phrases)
        return false;
    switch (document_.frazy()[static_cast<std::size_t>(y)].kind) {
    case PhraseKind::Text: bind(x, y, false); return true;
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
    if (x >= document_.dokumenty().count() || y >= document_.frazy().count())
        return;

    const QString shown = textBox_->toPlainText();
    std::string stored = forStorage(shown);
    // A character Windows-1250 cannot hold is refused: take it out of the box.
    if (forDisplay(stored) != shown) {
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
