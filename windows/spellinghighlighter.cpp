#include "spellinghighlighter.h"

#include "check/speller.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

namespace wykazki {

SpellingHighlighter::SpellingHighlighter(QTextDocument* document,
                                         std::function<const Speller*()> speller)
    : QSyntaxHighlighter(document), speller_(std::move(speller))
{
}

void SpellingHighlighter::setChecking(bool on)
{
    if (on == checking_)
        return;
    checking_ = on;
    rehighlight();
}

void SpellingHighlighter::highlightBlock(const QString& text)
{
    const Speller* speller = checking_ && speller_ ? speller_() : nullptr;
    if (speller == nullptr)
        return;
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wavy.setUnderlineColor(Qt::red);
    for (const WordSpan& w : unknownWords(*speller, text, 200))
        setFormat(static_cast<int>(w.start), static_cast<int>(w.length), wavy);
}

SpellingHighlighter::Suggestion SpellingHighlighter::suggestionAt(int position) const
{
    Suggestion s;
    const Speller* speller = checking_ && speller_ ? speller_() : nullptr;
    const QTextBlock block = document()->findBlock(position);
    if (speller == nullptr || !block.isValid())
        return s;
    const QString text = block.text();
    const int inBlock = position - block.position();
    for (const WordSpan& w : unknownWords(*speller, text, 200)) {
        if (inBlock >= w.start && inBlock <= w.start + w.length) {
            s.start = block.position() + static_cast<int>(w.start);
            s.length = static_cast<int>(w.length);
            s.word = text.mid(w.start, w.length);
            s.replacements = speller->suggestions(s.word, 6);
            break;
        }
    }
    return s;
}

}  // namespace wykazki
