#pragma once
// The font of a text or grade phrase: Qt's font dialog (family, size,
// bold, italic, underline, strike-out) with a colour choice beside it,
// since Qt's dialog has none. A family or size the user leaves alone is
// kept exactly as the class file wrote it, even when that family is not
// installed here and the dialog shows its nearest match.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>

#include <cstdint>
#include <string>

class QFontDialog;
class QLabel;
class QPushButton;

namespace wykazki {

struct TFra;

class PhraseFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit PhraseFontDialog(QWidget* parent = nullptr);

    // Shows the phrase's font name, size, styles and colour.
    void preset(const TFra& phrase);
    // Writes the shown font and colour into the phrase.
    void applyTo(TFra& phrase) const;

    QFontDialog& fontDialog() { return *fontDialog_; }
    QPushButton& colourButton() { return *colourButton_; }
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    // Runs the dialog on phrase; true and the phrase changed on OK.
    static bool choose(QWidget* parent, TFra& phrase);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseColour();

    QFontDialog* fontDialog_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QLabel* storedLabel_ = nullptr;
    QColor colour_;
    // What the dialog showed at first, and what the phrase held then: what
    // the user leaves as it was shown keeps its stored value.
    QFont shown_;
    QColor shownColour_;
    std::string storedName_;
    std::int32_t storedSize_ = 0;
    std::uint8_t storedStyle_[4] = {};  // bold, italic, underline, strike-out
    std::uint32_t storedColour_ = 0;
};

}  // namespace wykazki
