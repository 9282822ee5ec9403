#include "importdialog.h"

#include "help/helpcontext.h"
#include "qtbridge/cp1250text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wykazki {

namespace {

// More columns than any card has phrases are not offered one by one.
constexpr int kMostColumnBoxes = 256;
// Header rows offered: the sheet's first ones.
constexpr int kMostHeaderRows = 50;

}  // namespace

ImportDialog::ImportDialog(const Document& document, const QString& fileName, ImportSource source,
                           QWidget* parent)
    : QDialog(parent), document_(document), source_(std::move(source))
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(QStringLiteral("Import z arkusza – %1").arg(QFileInfo(fileName).fileName()));
    helpcontext::set(*this, helpcontext::kMainWindow);
    setMinimumSize(520, 460);
    auto* column = new QVBoxLayout(this);

    // What is read: the encoding of a text file, the sheet of a workbook.
    auto* form = new QFormLayout;
    encoding_ = new QComboBox(this);
    encoding_->setObjectName(QStringLiteral("encoding"));
    encoding_->addItems(
        {QStringLiteral("Automatycznie"), QStringLiteral("UTF-8"), QStringLiteral("Windows-1250")});
    auto* encodingLabel = new QLabel(QStringLiteral("&Kodowanie znaków:"), this);
    encodingLabel->setBuddy(encoding_);
    form->addRow(encodingLabel, encoding_);
    sheet_ = new QComboBox(this);
    sheet_->setObjectName(QStringLiteral("sheet"));
    sheet_->addItems(source_.sheets);
    auto* sheetLabel = new QLabel(QStringLiteral("&Arkusz:"), this);
    sheetLabel->setBuddy(sheet_);
    form->addRow(sheetLabel, sheet_);
    encoding_->setVisible(source_.isText);
    encodingLabel->setVisible(source_.isText);
    sheet_->setVisible(!source_.isText);
    sheetLabel->setVisible(!source_.isText);
    encoding_->setEnabled(source_.isText);
    sheet_->setEnabled(!source_.isText && !source_.sheets.isEmpty());
    column->addLayout(form);

    problemLabel_ = new QLabel(this);
    problemLabel_->setObjectName(QStringLiteral("problem"));
    problemLabel_->setWordWrap(true);
    problemLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    column->addWidget(problemLabel_);

    preview_ = new QTableWidget(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setFocusPolicy(Qt::NoFocus);
    preview_->setMinimumHeight(140);
    column->addWidget(preview_, 1);

    auto* layoutBox = new QGroupBox(QStringLiteral("Układ arkusza"), this);
    auto* layoutRow = new QHBoxLayout(layoutBox);
    rows_ = new QRadioButton(QStringLiteral("Uczniowie są w &wierszach"), layoutBox);
    columns_ = new QRadioButton(QStringLiteral("Uczniowie są w k&olumnach"), layoutBox);
    rows_->setChecked(true);
    auto* orientation = new QButtonGroup(this);
    orientation->addButton(rows_);
    orientation->addButton(columns_);
    layoutRow->addWidget(rows_);
    layoutRow->addWidget(columns_);
    headerLabel_ = new QLabel(layoutBox);
    header_ = new QSpinBox(layoutBox);
    header_->setObjectName(QStringLiteral("headerRow"));
    header_->setSpecialValueText(QStringLiteral("brak"));
    header_->setRange(0, kMostHeaderRows);
    header_->setValue(1);
    headerLabel_->setBuddy(header_);
    layoutRow->addWidget(headerLabel_);
    layoutRow->addWidget(header_);
    column->addWidget(layoutBox);

    auto* columnsBox = new QGroupBox(QStringLiteral("Co zawierają kolumny arkusza"), this);
    auto* columnsBoxLayout = new QVBoxLayout(columnsBox);
    auto* scroll = new QScrollArea(columnsBox);
    scroll->setWidgetResizable(true);
    columnsPanel_ = new QWidget(scroll);
    columnsLayout_ = new QVBoxLayout(columnsPanel_);
    scroll->setWidget(columnsPanel_);
    scroll->setMinimumHeight(120);
    columnsBoxLayout->addWidget(scroll);
    column->addWidget(columnsBox, 1);

    auto* nameForm = new QFormLayout;
    namePhrase_ = new QComboBox(this);
    namePhrase_->setObjectName(QStringLiteral("namePhrase"));
    const TFrazy& phrases = document_.phrases();
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (phrases[j].kind == PhraseKind::Text)
            namePhrase_->addItem(qstringFromCp1250(phrases[j].name), static_cast<int>(j));
    if (namePhrase_->count() == 0)
        namePhrase_->addItem(QStringLiteral("(brak frazy tekstowej)"), -1);
    namePhrase_->setCurrentIndex(
        std::max(0, namePhrase_->findData(defaultNamePhrase(document_.phrases()))));
    auto* nameLabel = new QLabel(QStringLiteral("Uczniów rozpoznawaj po &frazie:"), this);
    nameLabel->setBuddy(namePhrase_);
    nameForm->addRow(nameLabel, namePhrase_);
    column->addLayout(nameForm);

    replace_ = new QCheckBox(QStringLiteral("&Zastąp całą klasę"), this);
    replace_->setObjectName(QStringLiteral("replaceClass"));
    replace_->setToolTip(QStringLiteral("Uczniowie z arkusza zastąpią wszystkich uczniów klasy; "
                                        "bez tego uczniowie o tych samych nazwiskach dostają "
                                        "wartości z arkusza, a pozostali są dopisywani."));
    column->addWidget(replace_);

    buttons_ = new QDialogButtonBox(this);
    import_ = buttons_->addButton(QStringLiteral("&Importuj"), QDialogButtonBox::AcceptRole);
    import_->setDefault(true);
    buttons_->addButton(QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons_);

    readSheet();
    connect(encoding_, &QComboBox::currentIndexChanged, this, &ImportDialog::readSheet);
    connect(sheet_, &QComboBox::currentIndexChanged, this, &ImportDialog::readSheet);
    connect(rows_, &QRadioButton::toggled, this, [this] {
        showPreview();
        proposeColumns();
    });
    connect(header_, &QSpinBox::valueChanged, this, &ImportDialog::proposeColumns);
    connect(namePhrase_, &QComboBox::currentIndexChanged, this, &ImportDialog::updateState);
}

void ImportDialog::readSheet()
{
    problem_.clear();
    const auto encoding =
        static_cast<ImportSource::Encoding>(std::max(0, encoding_->currentIndex()));
    table_ = source_.read ? source_.read(encoding, std::max(0, sheet_->currentIndex()), &problem_)
                          : SheetTable{};
    if (problem_.isEmpty() && table_.rowCount() == 0)
        problem_ = QStringLiteral("Arkusz jest pusty.");
    QStringList shown = table_.notes;
    if (!problem_.isEmpty())
        shown.prepend(problem_);
    problemLabel_->setText(shown.join(u'\n'));
    problemLabel_->setVisible(!shown.isEmpty());
    showPreview();
    proposeColumns();
}

void ImportDialog::showPreview()
{
    // The sheet as it stands; its first rows, and as many columns as they use.
    const int rows = std::min(table_.rowCount(), kShownRows);
    int columns = 0;
    for (int r = 0; r < rows; ++r)
        columns = std::max(columns, static_cast<int>(table_.rows[r].size()));
    columns = std::min(columns, kMostColumnBoxes);
    preview_->clear();
    preview_->setRowCount(rows);
    preview_->setColumnCount(columns);
    QStringList letters;
    for (int c = 0; c < columns; ++c)
        letters << sheetColumnName(c);
    preview_->setHorizontalHeaderLabels(letters);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            preview_->setItem(r, c, new QTableWidgetItem(table_.cell(r, c).left(200)));
    preview_->resizeColumnsToContents();
}

void ImportDialog::proposeColumns()
{
    const bool pupilRows = rows_->isChecked();
    headerLabel_->setText(pupilRows ? QStringLiteral("&Nagłówki w wierszu:")
                                    : QStringLiteral("&Nagłówki w kolumnie:"));
    const SheetTable turned = turnedToPupilRows(table_, pupilRows);
    {
        const QSignalBlocker quiet(header_);
        header_->setMaximum(std::min(turned.rowCount(), kMostHeaderRows));
    }
    const ImportMapping proposed =
        proposeMapping(document_, table_, pupilRows, header_->value() - 1);

    for (QComboBox* box : columnBoxes_) {
        box->parentWidget()->hide();
        box->parentWidget()->deleteLater();
    }
    columnBoxes_.clear();
    QStringList phraseNames;
    for (const TFra& phrase : document_.phrases())
        phraseNames << qstringFromCp1250(phrase.name);
    const int count = std::min(static_cast<int>(proposed.phraseOfColumn.size()), kMostColumnBoxes);
    QWidget* previous = header_;
    for (int c = 0; c < count; ++c) {
        auto* line = new QWidget(columnsPanel_);
        auto* row = new QHBoxLayout(line);
        row->setContentsMargins(0, 0, 0, 0);
        const QString where = pupilRows ? QStringLiteral("Kolumna %1").arg(sheetColumnName(c))
                                        : QStringLiteral("Wiersz %1").arg(c + 1);
        const QString heading =
            proposed.headerRow >= 0 ? turned.cell(proposed.headerRow, c).left(60) : QString();
        auto* label = new QLabel(
            heading.isEmpty() ? where + u':' : QStringLiteral("%1 („%2”):").arg(where, heading),
            line);
        auto* box = new QComboBox(line);
        box->setObjectName(QStringLiteral("column%1").arg(c));
        box->addItem(QStringLiteral("nie importuj"), -1);
        for (int j = 0; j < phraseNames.size(); ++j)
            box->addItem(phraseNames[j], j);
        box->setCurrentIndex(box->findData(proposed.phraseOfColumn[static_cast<std::size_t>(c)]));
        label->setBuddy(box);
        row->addWidget(label, 1);
        row->addWidget(box, 1);
        columnsLayout_->addWidget(line);
        setTabOrder(previous, box);
        previous = box;
        columnBoxes_.push_back(box);
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::updateState);
    }
    // The new combos sit between the header row and the name phrase.
    QWidget* next = namePhrase_;
    setTabOrder(previous, next);
    for (QWidget* after : {static_cast<QWidget*>(replace_), static_cast<QWidget*>(import_)}) {
        setTabOrder(next, after);
        next = after;
    }
    for (QAbstractButton* button : buttons_->buttons()) {
        if (button != import_) {
            setTabOrder(next, button);
            next = button;
        }
    }
    updateState();
}

void ImportDialog::updateState()
{
    const ImportMapping chosen = mapping();
    const bool anyColumn = std::any_of(chosen.phraseOfColumn.begin(), chosen.phraseOfColumn.end(),
                                       [](int j) { return j >= 0; });
    import_->setEnabled(problem_.isEmpty() && anyColumn);
}

ImportMapping ImportDialog::mapping() const
{
    ImportMapping chosen;
    chosen.pupilsAreRows = rows_->isChecked();
    chosen.headerRow = header_->value() - 1;
    for (const QComboBox* box : columnBoxes_)
        chosen.phraseOfColumn.push_back(box->currentData().toInt());
    chosen.namePhrase = namePhrase_->currentData().toInt();
    chosen.replaceClass = replace_->isChecked();
    return chosen;
}

}  // namespace wykazki
