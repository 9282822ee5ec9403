#include "ffwopis.h"

#include "document/document.h"
#include "document/formatting.h"
#include "grid/qtcp1250.h"

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

Tffwopis::Tffwopis(Document& document, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint),
      document_(document)
{
    setObjectName(QStringLiteral("ffwopis"));
    setWindowTitle(QStringLiteral("Tekst"));
    resize(323, 93);

    memo1_ = new QPlainTextEdit(this);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo1_);
    connect(memo1_, &QPlainTextEdit::textChanged, this, &Tffwopis::memo1Change);
}

void Tffwopis::bind(int x, int y, bool readOnly)
{
    boundPupil_ = x;
    boundPhrase_ = y;
    readOnly_ = readOnly;

    QPalette palette = memo1_->palette();
    palette.setColor(QPalette::Base, readOnly ? kRed : kAqua);
    memo1_->setPalette(palette);
    memo1_->setReadOnly(readOnly);
    if (readOnly) {
        memo1_->setPlainText(QString::fromLatin1(kPytajniki));
    } else {
        const TFra& value = document_.dokumenty.value(static_cast<std::size_t>(x),
                                                      static_cast<std::size_t>(y));
        // Setting the text runs the text-changed step, which stores the same
        // text again and marks the document modified.
        memo1_->setPlainText(forDisplay(value.text));
        memo1_->moveCursor(QTextCursor::End);
    }
    if (isHidden())
        show();
}

bool Tffwopis::follow(bool enabled, int x, int y)
{
    if (!enabled) {
        hide();
        return false;
    }
    const auto pupils = static_cast<int>(document_.dokumenty.count());
    const auto phrases = static_cast<int>(document_.frazy.count());
    if (pupils == 0 || phrases == 0 || x < 0 || x >= pupils || y < 0 || y >= phrases)
        return false;
    switch (document_.frazy[static_cast<std::size_t>(y)].kind) {
    case kRodzajTekst:
        bind(x, y, false);
        return true;
    case kRodzajOcena:
    case kRodzajObrazek:
        bind(x, y, true);
        return true;
    default:
        return false;
    }
}

void Tffwopis::memo1Change()
{
    if (readOnly_ || settingText_)
        return;
    const auto x = static_cast<std::size_t>(boundPupil_);
    const auto y = static_cast<std::size_t>(boundPhrase_);
    if (x >= document_.dokumenty.count() || y >= document_.frazy.count())
        return;

    const QString shown = memo1_->toPlainText();
    std::string stored = forStorage(shown);
    // A character Windows-1250 cannot hold is refused: take it out of the box.
    if (forDisplay(stored) != shown) {
        const int position = memo1_->textCursor().position();
        const int removed = static_cast<int>(shown.size() - forDisplay(stored).size());
        settingText_ = true;
        memo1_->setPlainText(forDisplay(stored));
        settingText_ = false;
        QTextCursor cursor = memo1_->textCursor();
        cursor.setPosition(std::max(0, std::min(position - removed,
                                                static_cast<int>(memo1_->toPlainText().size()))));
        memo1_->setTextCursor(cursor);
    }
    document_.dokumenty.value(x, y).text = std::move(stored);
    document_.ogolne.setModified();
}
