#include "phrasefontdialog.h"

#include "document/tfra.h"
#include "qtbridge/colorref.h"
#include "qtbridge/cp1250text.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace wykazki {

namespace {

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
    // Being a dialog itself, it would close on Escape and leave ours empty:
    // its Escape and Enter are ours.
    fontDialog_->installEventFilter(this);
    connect(fontDialog_, &QDialog::finished, this, &QDialog::done);
    column->addWidget(fontDialog_, 1);
    storedLabel_ = new QLabel(this);
    storedLabel_->setObjectName(QStringLiteral("Zapisana"));
    column->addWidget(storedLabel_);

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
    shown_ = fontDialog_->currentFont();
    storedName_ = phrase.fontName;
    storedSize_ = phrase.fontSize;
    storedStyle_[0] = phrase.bold;
    storedStyle_[1] = phrase.italic;
    storedStyle_[2] = phrase.underline;
    storedStyle_[3] = phrase.strikeout;
    storedColour_ = phrase.fontColor;
    setColour(toQColor(phrase.fontColor));
    shownColour_ = colour_;
    // A family this computer lacks is kept as the file names it.
    const QString family = qstringFromCp1250(phrase.fontName);
    storedLabel_->setText(
        QFontDatabase::hasFamily(family)
            ? QString()
            : QStringLiteral("Czcionka w pliku: %1 (brak na tym komputerze)").arg(family));
    storedLabel_->setVisible(!storedLabel_->text().isEmpty());
}

bool PhraseFontDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == fontDialog_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape: reject(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: accept(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PhraseFontDialog::applyTo(TFra& phrase) const
{
    const QFont font = fontDialog_->currentFont();
    phrase.fontName = font.family() == shown_.family()
                          ? storedName_
                          : cp1250FromQString(font.family(), Unmappable::Question);
    phrase.fontSize = font.pointSize() == shown_.pointSize() ? storedSize_ : font.pointSize();
    auto style = [](bool now, bool shown, std::uint8_t stored) -> std::uint8_t {
        return now == shown ? stored : (now ? 1 : 0);
    };
    phrase.bold = style(font.bold(), shown_.bold(), storedStyle_[0]);
    phrase.italic = style(font.italic(), shown_.italic(), storedStyle_[1]);
    phrase.underline = style(font.underline(), shown_.underline(), storedStyle_[2]);
    phrase.strikeout = style(font.strikeOut(), shown_.strikeOut(), storedStyle_[3]);
    phrase.fontColor = colour_ == shownColour_ ? storedColour_ : fromQColor(colour_);
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

}  // namespace wykazki
