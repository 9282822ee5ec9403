#pragma once
// Polish spelling through Hunspell: whether a word is known, what it might
// have been, and the unknown words of a text. Names are not checked: a word
// starting with a capital letter inside a sentence is taken for one.

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Hunspell;

namespace wykazki {

class Speller {
public:
    // The dictionary pl_PL from the system's dictionary folders; nothing
    // when it is not installed.
    static std::unique_ptr<Speller> openPolish();
    // A dictionary given by its two files; nothing when they cannot be read.
    static std::unique_ptr<Speller> open(const QString& affixPath, const QString& dictionaryPath);
    ~Speller();

    Speller(const Speller&) = delete;
    Speller& operator=(const Speller&) = delete;

    bool knows(const QString& word) const;
    QStringList suggestions(const QString& word, int most = 5) const;

private:
    Speller(std::unique_ptr<Hunspell> hunspell, QString encoding);
    // The word in the dictionary's encoding; nothing when it cannot hold it.
    std::optional<std::string> encoded(const QString& word) const;
    QString decoded(const std::string& bytes) const;

    std::unique_ptr<Hunspell> hunspell_;
    QString encoding_;             // "UTF-8" or an 8-bit code page such as "ISO8859-2"
    std::vector<char16_t> table_;  // the 8-bit code page's bytes 128..255 as characters
};

// A word of a text, by its position.
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const WordSpan&) const = default;
};

// The words of text the speller does not know, in order. A word is a run
// of letters (an apostrophe or hyphen between letters belongs to it);
// single letters, words with digits and capitalised words that do not
// start a sentence are skipped. At most `most` are returned.
std::vector<WordSpan> unknownWords(const Speller& speller, const QString& text,
                                   std::size_t most = 1000);

}  // namespace wykazki
