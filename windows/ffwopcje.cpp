#include "ffwopcje.h"

#include "glyphs.h"
#include "keyscheme.h"
#include "optionspinbox.h"
#include "usersettings.h"

#include "print/programlogo.h"
#include "qtbridge/cp1250text.h"
#include "qtbridge/cp1250validator.h"

#include "help/helpcontext.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace wykazki {

namespace {

// The old form's client area: the least the window takes.
constexpr int kMinimumWidth = 657;
constexpr int kMinimumHeight = 409;

struct SpinRow {
    const char* label;  // UTF-8
    int minimum;
    int maximum;
};

// The hint of a group shows over the group and over its labels and boxes.
QGroupBox* makeGroup(QWidget* parent, const char* caption, const char* hint)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setToolTip(QString::fromUtf8(hint));
    return group;
}

// Explanatory notes under the wording groups, wrapped to their width.
void addNotes(QBoxLayout& notes, std::initializer_list<const char*> texts)
{
    for (const char* text : texts) {
        auto* note = new QLabel(QString::fromUtf8(text));
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        notes.addWidget(note);
    }
}

QString wordingCaption(int i)
{
    if (i < 6)
        return QStringLiteral("Klawisz %1").arg(i + 1);
    if (i == 6)
        return QStringLiteral("Spacja");
    if (i < kFirstCtrlDigitWording)
        return QStringLiteral("Klawisz ") + QChar(u'A' + (i - 7));
    return QStringLiteral("Ctrl + %1").arg(i - kFirstCtrlDigitWording);
}

}  // namespace

Tffwopcje::Tffwopcje(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ffwopcje"));
    setWindowTitle(QStringLiteral("Opcje"));
    helpcontext::set(*this, helpcontext::kPrintOptions);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->addLayout(buildSheetColumn());
    buildWordingGroups(*columns);

    // The least size is the old form's, or what the controls need: the
    // wrapped notes grow taller the narrower the window is.
    const int width = std::max(kMinimumWidth, columns->totalMinimumSize().width());
    const int height = std::max({kMinimumHeight, columns->totalMinimumSize().height(),
                                 columns->totalMinimumHeightForWidth(width)});
    setMinimumSize(width, height);
    resize(width, height);

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
}

QLayout* Tffwopcje::buildSheetColumn()
{
    auto* column = new QVBoxLayout;
    const SpinRow rows[4] = {
        {"Szerokość [mm]", 100, 500},
        {"Wysokość [mm]", 100, 500},
        {"Z lewej strony [mm]", -50, 500},
        {"Z góry [mm]", -50, 500},
    };
    QGroupBox* groups[2] = {
        makeGroup(this, "Rozmiar świadectwa", "Rozmiar kartki w milimetrach"),
        makeGroup(this, "Przesunięcie tekstu (marginesy)",
                  "Korekta położenia na kartce WSZYSTKICH FRAZ ŁĄCZNIE"),
    };
    for (QGroupBox* group : groups) {
        auto* form = new QFormLayout(group);
        form->setContentsMargins(8, 4, 8, 4);
        form->setVerticalSpacing(4);
        column->addWidget(group);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        QGroupBox* group = groups[i / 2];
        auto* spin = new OptionSpinBox(rows[i].minimum, rows[i].maximum, group);
        spin->setObjectName(QStringLiteral("SpinEdit%1").arg(i + 1));
        spin->setMinimumWidth(56);
        static_cast<QFormLayout*>(group->layout())->addRow(QString::fromUtf8(rows[i].label), spin);
        spinEdits_[i] = spin;
    }

    column->addWidget(buildProofGroup());

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(programLogo(QSize(64, 64)));
    column->addWidget(logo, 1);

    closeButton_ = new QToolButton(this);
    closeButton_->setObjectName(QStringLiteral("SpeedButton1"));
    closeButton_->setAutoRaise(true);
    closeButton_->setFocusPolicy(Qt::NoFocus);
    setGlyph(*closeButton_, "KONIEC", QStringLiteral("Koniec"));
    closeButton_->setFixedSize(32, 32);
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::accept);
    // The keys are this user's, not the class's: they change at once.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(closeButton_, 0, Qt::AlignLeft);
    keys_ = new QComboBox(this);
    keys_->setObjectName(QStringLiteral("keyScheme"));
    keys_->addItem(keySchemeName(KeyScheme::Modern));
    keys_->addItem(keySchemeName(KeyScheme::Classic));
    keys_->setToolTip(QStringLiteral("Współczesne: Ctrl+S zapisuje, Ctrl+Z cofa, Ctrl+A zaznacza "
                                     "wszystko. Klasyczne: Ctrl+Z zapisuje, Ctrl+A zapisuje pod "
                                     "nową nazwą, Alt+Backspace cofa."));
    auto* keysLabel = new QLabel(QStringLiteral("S&króty klawiszowe:"), this);
    keysLabel->setBuddy(keys_);
    connect(keys_, &QComboBox::activated, this, [this](int index) {
        const auto scheme = static_cast<KeyScheme>(index);
        setUserKeyScheme(scheme);
        emit keySchemeChosen(scheme);
    });
    bottom->addStretch(1);
    bottom->addWidget(keysLabel);
    bottom->addWidget(keys_);
    column->addLayout(bottom);
    return column;
}

QWidget* Tffwopcje::buildProofGroup()
{
    QGroupBox* group =
        makeGroup(this, "Wydruk próbny i kalibracja",
                  "Skany czystego formularza: wydruk próbny drukuje teksty na ich tle");
    auto* rows = new QVBoxLayout(group);
    rows->setContentsMargins(8, 4, 8, 4);
    rows->setSpacing(2);
    scans_ = new QPushButton(QStringLiteral("Skany formularza…"), group);
    scans_->setObjectName(QStringLiteral("scans"));
    scans_->setAutoDefault(false);
    auto* menu = new QMenu(scans_);
    for (int page = 0; page < 4; ++page) {
        QAction* action = menu->addAction(QString());
        connect(action, &QAction::triggered, this, [this, page] {
            if (proofHooks_.chooseScan)
                proofHooks_.chooseScan(page);
            showScans();
        });
        scanActions_[static_cast<std::size_t>(page)] = action;
    }
    scans_->setMenu(menu);
    rows->addWidget(scans_);

    showForm_ = new QCheckBox(QStringLiteral("Pokaż formularz w podglądzie"), group);
    showForm_->setObjectName(QStringLiteral("showForm"));
    showForm_->setChecked(showFormInPreview());
    connect(showForm_, &QCheckBox::toggled, this,
            [](bool on) { UserSettings().setValue("preview/showForm", on); });
    rows->addWidget(showForm_);

    calibration_ = new QPushButton(QStringLiteral("Wydrukuj stronę kalibracyjną"), group);
    calibration_->setObjectName(QStringLiteral("calibration"));
    calibration_->setAutoDefault(false);
    calibration_->setToolTip(
        QStringLiteral("Jedna zwykła kartka z linijkami i krzyżykami: zmierz, gdzie wypadły, "
                       "i wpisz różnicę w „Przesunięcie tekstu”."));
    connect(calibration_, &QPushButton::clicked, this, [this] {
        if (!proofHooks_.printCalibration)
            return;
        TOpcje shown;
        store(shown);
        proofHooks_.printCalibration(shown);
    });
    rows->addWidget(calibration_);
    showScans();
    return group;
}

bool Tffwopcje::showFormInPreview()
{
    return UserSettings().value("preview/showForm", true).toBool();
}

void Tffwopcje::setProofHooks(ProofHooks hooks)
{
    proofHooks_ = std::move(hooks);
    showScans();
}

void Tffwopcje::showScans()
{
    for (int page = 0; page < 4; ++page) {
        const QString name = proofHooks_.scanName ? proofHooks_.scanName(page) : QString();
        scanActions_[static_cast<std::size_t>(page)]->setText(
            QStringLiteral("Skan formularza, strona %1… (%2)")
                .arg(page + 1)
                .arg(name.isEmpty() ? QStringLiteral("brak") : QFileInfo(name).fileName()));
    }
    scans_->setEnabled(static_cast<bool>(proofHooks_.chooseScan));
    calibration_->setEnabled(static_cast<bool>(proofHooks_.printCalibration));
}

void Tffwopcje::buildWordingGroups(QBoxLayout& columns)
{
    QGroupBox* grades = makeGroup(this, "Brzmienia ocen",
                                  "Brzmienia ocen. Do bilansów są brane wartości ocen 1 - 6.");
    QGroupBox* phrases = makeGroup(this, "Brzmienia wybranych fraz tekstowych",
                                   "Często powtarzające się frazy tekstowe.");
    auto* gradeRows = new QGridLayout(grades);
    auto* phraseRows = new QGridLayout(phrases);
    for (QGridLayout* rows : {gradeRows, phraseRows}) {
        rows->setContentsMargins(8, 4, 8, 4);
        rows->setVerticalSpacing(0);
        rows->setColumnStretch(1, 1);
    }

    for (int i = 0; i < kWordingCount; ++i) {
        const bool grade = i < kFirstCtrlDigitWording;
        QGridLayout* rows = grade ? gradeRows : phraseRows;
        QGroupBox* group = grade ? grades : phrases;
        const int row = grade ? i : i - kFirstCtrlDigitWording;
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setValidator(new Cp1250Validator(edit));
        rows->addWidget(new QLabel(wordingCaption(i), group), row, 0);
        rows->addWidget(edit, row, 1);
        edits_[static_cast<std::size_t>(i)] = edit;
    }

    for (QGridLayout* rows : {gradeRows, phraseRows})
        rows->setRowStretch(rows->rowCount(), 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(grades, 1);
    groups->addWidget(phrases, 1);

    // The notes span both groups: narrow columns would make them too tall.
    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    addNotes(*notes,
             {"Klawisze 1–6 wprowadzą do świadectwa ocenę. Oceny będą wliczane do statystyki "
              "osiągniętych ocen.",
              "Spacja wprowadzi w pole ocen znak „Nie ma przedmiotu”.",
              "Klawisze A–D wprowadzą w pola ocen ew. inne komentarze, np. „Nieklasyfikowany”, "
              "„Nieklasyfikowana”, „Zwolniony”.",
              "Klawisze Ctrl+0 … Ctrl+9 wprowadzą do świadectwa dowolne, często powtarzające się "
              "frazy tekstowe."});
    auto* wordings = new QVBoxLayout;
    wordings->addLayout(groups, 1);
    wordings->addLayout(notes);
    columns.addLayout(wordings, 1);
}

void Tffwopcje::editOptions(TOpcje& options)
{
    load(options);
    exec();
    store(options);
}

void Tffwopcje::load(const TOpcje& options)
{
    keys_->setCurrentIndex(static_cast<int>(userKeyScheme()));
    spinEdits_[0]->setValue(options.width);
    spinEdits_[1]->setValue(options.height);
    spinEdits_[2]->setValue(options.left);
    spinEdits_[3]->setValue(options.top);
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        loadedBytes_[i] = options.wordings[i];
        loaded_[i] = qstringFromCp1250(options.wordings[i]);
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
        options.wordings[i] =
            text == loaded_[i] ? loadedBytes_[i] : cp1250FromQString(text, Unmappable::Drop);
    }
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

}  // namespace wykazki
