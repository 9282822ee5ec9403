#pragma once
// Unknown words of a text box underlined with a wavy red line, as word
// processors do, and the words the dictionary suggests for one of them.

#include <QSyntaxHighlighter>

#include <functional>

class QTextDocument;

namespace wykazki {

class Speller;

class SpellingHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // speller is asked for at every block; it may give null (no dictionary).
    SpellingHighlighter(QTextDocument* document, std::function<const Speller*()> speller);

    // Names are not checked: off, nothing is underlined.
    void setChecking(bool on);
    bool isChecking() const { return checking_; }

    // The unknown word at a position of the document and the dictionary's
    // suggestions for it; empty word when the position is on none.
    struct Suggestion {
        int start = 0;
        int length = 0;
        QString word;
        QStringList replacements;
    };
    Suggestion suggestionAt(int position) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    std::function<const Speller*()> speller_;
    bool checking_ = false;
};

}  // namespace wykazki
