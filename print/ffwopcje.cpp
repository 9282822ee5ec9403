#include "ffwopcje.h"

#include "qtbridge/cp1250validator.h"
#include "qtbridge/cp1250text.h"
#include "optionspinbox.h"
#include "programlogo.h"

#include "help/helpcontext.h"

#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <initializer_list>

namespace {

// Client area of the window, pixels.
constexpr int kClientWidth = 657;
constexpr int kClientHeight = 409;

constexpr int kRowPitch = 20;
constexpr int kEditHeight = 19;
constexpr int kNoteGap = 3;

struct SpinRow {
    const char* label;  // UTF-8
    int minimum;
    int maximum;
};

// The hint of a group shows over the group and over its labels and boxes.
QGroupBox* makeGroup(QWidget* parent, const char* caption, const char* hint, QRect geometry)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setToolTip(QString::fromUtf8(hint));
    group->setGeometry(geometry);
    return group;
}

QLabel* makeLabel(QWidget* parent, const char* text, QRect geometry)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    return label;
}

// Explanatory notes stacked from `top` down, each as high as its wrapped
// text needs in the font the window ends up with.
void stackNotes(QWidget* parent, std::initializer_list<const char*> notes, int left, int top, int width)
{
    for (const char* text : notes) {
        auto* note = new QLabel(QString::fromUtf8(text), parent);
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int height = note->heightForWidth(width);
        note->setGeometry(left, top, width, height);
        top += height + kNoteGap;
    }
}

}  // namespace

Tffwopcje::Tffwopcje(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ffwopcje"));
    setWindowTitle(QStringLiteral("Opcje"));
    helpcontext::set(*this, helpcontext::kPrintOptions);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);

    buildSheetGroups();
    buildWordingGroups();

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
}

void Tffwopcje::buildSheetGroups()
{
    const SpinRow rows[4] = {
        {"Szerokość [mm]", 100, 500},
        {"Wysokość [mm]", 100, 500},
        {"Z lewej strony [mm]", -50, 500},
        {"Z góry [mm]", -50, 500},
    };
    QGroupBox* groups[2] = {
        makeGroup(this, "Rozmiar świadectwa", "Rozmiar kartki w milimetrach", QRect(8, 8, 190, 80)),
        makeGroup(this, "Przesunięcie tekstu (marginesy)", "Korekta położenia na kartce WSZYSTKICH FRAZ ŁĄCZNIE",
                  QRect(8, 96, 190, 80)),
    };
    for (int i = 0; i < 4; ++i) {
        QGroupBox* group = groups[i / 2];
        const int top = 24 + (i % 2) * 26;
        makeLabel(group, rows[i].label, QRect(8, top + 2, 118, kEditHeight));
        auto* spin = new OptionSpinBox(rows[i].minimum, rows[i].maximum, group);
        spin->setObjectName(QStringLiteral("SpinEdit%1").arg(i + 1));
        spin->setGeometry(126, top, 56, 22);
        spinEdits_[static_cast<std::size_t>(i)] = spin;
    }

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(8, 184, 190, 177);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(programLogo(QSize(160, 160)));

    speedButton1_ = new QToolButton(this);
    speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    speedButton1_->setGeometry(8, 369, 32, 32);
    speedButton1_->setAutoRaise(true);
    speedButton1_->setFocusPolicy(Qt::NoFocus);
    speedButton1_->setToolTip(QStringLiteral("Koniec"));
    const QIcon glyph(QStringLiteral(":/glyphs/KONIEC.png"));
    if (glyph.availableSizes().isEmpty()) {
        speedButton1_->setText(QStringLiteral("Koniec"));  // no glyph in this build: the hint as text
    } else {
        speedButton1_->setIcon(glyph);
        speedButton1_->setIconSize(QSize(32, 32));
    }
    connect(speedButton1_, &QToolButton::clicked, this, &Tffwopcje::SpeedButton1Click);
}

void Tffwopcje::buildWordingGroups()
{
    QGroupBox* grades = makeGroup(this, "Brzmienia ocen",
                                  "Brzmienia ocen. Do bilansów są brane wartości ocen 1 - 6.", QRect(206, 8, 222, 393));
    QGroupBox* phrases = makeGroup(this, "Brzmienia wybranych fraz tekstowych",
                                   "Często powtarzające się frazy tekstowe.", QRect(436, 8, 213, 393));

    for (int i = 0; i < kLiczbaBrzmien; ++i) {
        QString label;
        if (i < 6)
            label = QStringLiteral("Klawisz %1").arg(i + 1);
        else if (i == 6)
            label = QStringLiteral("Spacja");
        else if (i < kPierwszyTekstCtrl)
            label = QStringLiteral("Klawisz ") + QChar(u'A' + (i - 7));
        else
            label = QStringLiteral("Ctrl + %1").arg(i - kPierwszyTekstCtrl);

        const bool grade = i < kPierwszyTekstCtrl;
        QGroupBox* group = grade ? grades : phrases;
        const int row = grade ? i : i - kPierwszyTekstCtrl;
        const int top = 20 + row * kRowPitch;
        const int labelWidth = grade ? 58 : 48;
        auto* caption = new QLabel(label, group);
        caption->setGeometry(8, top + 2, labelWidth, kEditHeight - 2);
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setGeometry(8 + labelWidth + 2, top, group->width() - labelWidth - 18, kEditHeight);
        edit->setValidator(new Cp1250Validator(edit));
        edits_[static_cast<std::size_t>(i)] = edit;
    }

    const int notesTop = 20 + kPierwszyTekstCtrl * kRowPitch + kNoteGap;
    stackNotes(grades,
               {"Klawisze 1- 6 wprowadzą do świadectwa ocenę. Oceny będą wliczane do statystyki osiągniętych ocen.",
                "Spacja wprowadzi w pole ocen znak \"Nie ma przedmiotu\".",
                "Klawisze A ...D wprowadzą w pola ocen ew. inne komentarze, np. \"Nieklasyfikowany\", "
                "\"Nieklasyfikowana\", \"Zwolniony\", ...."},
               8, notesTop, grades->width() - 16);
    stackNotes(phrases,
               {"Klawisze 0 - 9 wprowadzą do świadectwa dowolne, często powtarzające się frazy tekstowe."}, 8,
               notesTop, phrases->width() - 16);
}

void Tffwopcje::editOptions(TOpcje& options)
{
    load(options);
    exec();
    store(options);
}

void Tffwopcje::load(const TOpcje& options)
{
    spinEdits_[0]->setValue(options.width);
    spinEdits_[1]->setValue(options.height);
    spinEdits_[2]->setValue(options.left);
    spinEdits_[3]->setValue(options.top);
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        loadedBytes_[i] = options.brzmienia[i];
        loaded_[i] = qstringFromCp1250(options.brzmienia[i]);
        edits_[i]->setText(loaded_[i]);
        edits_[i]->setCursorPosition(0);
    }
    spinEdits_[0]->setFocus();
    spinEdits_[0]->selectAll();
}

void Tffwopcje::store(TOpcje& options)
{
    // A number half typed counts as the spin box itself settles it.
    for (QSpinBox* spin : spinEdits_)
        spin->interpretText();
    options.width = spinEdits_[0]->value();
    options.height = spinEdits_[1]->value();
    options.left = spinEdits_[2]->value();
    options.top = spinEdits_[3]->value();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const QString text = edits_[i]->text();
        options.brzmienia[i] = text == loaded_[i] ? loadedBytes_[i] : cp1250FromQString(text, Unmappable::Drop);
    }
}

void Tffwopcje::SpeedButton1Click()
{
    accept();
}

bool Tffwopcje::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        // There is nothing to cancel: Escape does not close the window.
        if (key->key() == Qt::Key_Escape)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
