#include "phrasefontdialog.h"

#include "document/tfra.h"
#include "grid/qtcp1250.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Colours are stored 0x00BBGGRR.
QColor fromStored(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

std::uint32_t toStored(const QColor& colour)
{
    return std::uint32_t(colour.red()) | (std::uint32_t(colour.green()) << 8)
           | (std::uint32_t(colour.blue()) << 16);
}

// Sizes a font can be shown in; a stored size outside them is kept unless
// the user picks another.
constexpr int kSmallestSize = 1;
constexpr int kLargestSize = 999;

}  // namespace

PhraseFontDialog::PhraseFontDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PhraseFontDialog"));
    setWindowTitle(QStringLiteral("Czcionka"));
    auto* column = new QVBoxLayout(this);

    // Qt's font dialog, embedded as a widget with our own buttons below.
    fontDialog_ = new QFontDialog(this);
    fontDialog_->setWindowFlags(Qt::Widget);
    fontDialog_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    column->addWidget(fontDialog_, 1);

    auto* row = new QHBoxLayout;
    colourButton_ = new QPushButton(QStringLiteral("&Kolor..."), this);
    colourButton_->setObjectName(QStringLiteral("Kolor"));
    connect(colourButton_, &QPushButton::clicked, this, &PhraseFontDialog::chooseColour);
    row->addWidget(colourButton_);
    row->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    row->addWidget(buttons);
    column->addLayout(row);
    setColour(Qt::black);
}

void PhraseFontDialog::setColour(const QColor& colour)
{
    colour_ = colour;
    QPixmap swatch(16, 16);
    swatch.fill(colour);
    colourButton_->setIcon(QIcon(swatch));
}

void PhraseFontDialog::chooseColour()
{
    const QColor chosen = QColorDialog::getColor(colour_, this, QStringLiteral("Kolor"));
    if (chosen.isValid())
        setColour(chosen);
}

void PhraseFontDialog::preset(const TFra& phrase)
{
    QFont font(qstringFromCp1250(phrase.fontName));
    font.setPointSize(std::clamp(phrase.fontSize, kSmallestSize, kLargestSize));
    font.setBold(phrase.bold != 0);
    font.setItalic(phrase.italic != 0);
    font.setUnderline(phrase.underline != 0);
    font.setStrikeOut(phrase.strikeout != 0);
    fontDialog_->setCurrentFont(font);
    shownFamily_ = fontDialog_->currentFont().family();
    shownSize_ = fontDialog_->currentFont().pointSize();
    storedName_ = phrase.fontName;
    storedSize_ = phrase.fontSize;
    storedColour_ = phrase.fontColor;
    setColour(fromStored(phrase.fontColor));
}

void PhraseFontDialog::applyTo(TFra& phrase) const
{
    const QFont font = fontDialog_->currentFont();
    phrase.fontName = font.family() == shownFamily_
                          ? storedName_
                          : cp1250FromQString(font.family(), Unmappable::Question);
    phrase.fontSize = font.pointSize() == shownSize_ ? storedSize_ : font.pointSize();
    phrase.bold = font.bold() ? 1 : 0;
    phrase.italic = font.italic() ? 1 : 0;
    phrase.underline = font.underline() ? 1 : 0;
    phrase.strikeout = font.strikeOut() ? 1 : 0;
    phrase.fontColor = colour_ == fromStored(storedColour_) ? storedColour_ : toStored(colour_);
}

bool PhraseFontDialog::choose(QWidget* parent, TFra& phrase)
{
    PhraseFontDialog dialog(parent);
    dialog.preset(phrase);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.applyTo(phrase);
    return true;
}
