#include "printcardsdialog.h"

#include "help/helpcontext.h"
#include "print/printjob.h"
#include "qtbridge/cp1250text.h"

#include "document/computedvalues.h"
#include "document/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace wykazki {

namespace {

// The printer box's entry for a PDF file carries this instead of a queue.
constexpr int kPdfRole = Qt::UserRole + 1;
constexpr int kMostCopies = 99;

QString pupilLabel(const Document& doc, std::optional<std::size_t> names, std::size_t x)
{
    QString name;
    if (names)
        name = qstringFromCp1250(doc.value(x, *names).text).simplified();
    if (name.isEmpty())
        name = QStringLiteral("(bez nazwiska)");
    return QStringLiteral("%1. %2").arg(x + 1).arg(name);
}

}  // namespace

PrintCardsDialog::PrintCardsDialog(Services services, QWidget* parent)
    : QDialog(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("printCardsDialog"));
    setWindowTitle(QStringLiteral("Drukowanie świadectw"));
    helpcontext::set(*this, helpcontext::kMainWindow);

    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);

    // The printer and what goes with it.
    auto* printerRow = new QHBoxLayout;
    printer_ = new QComboBox(this);
    printer_->setObjectName(QStringLiteral("printer"));
    printer_->setMinimumContentsLength(24);
    printer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    properties_ = new QPushButton(QStringLiteral("&Właściwości…"), this);
    pdf_ = new QPushButton(QStringLiteral("Do pliku P&DF…"), this);
    pdf_->setObjectName(QStringLiteral("toPdf"));
    for (QPushButton* b : {properties_, pdf_})
        b->setAutoDefault(false);
    printerRow->addWidget(printer_, 1);
    printerRow->addWidget(properties_);
    printerRow->addWidget(pdf_);
    auto* printerLabel = new QLabel(QStringLiteral("D&rukarka:"), this);
    printerLabel->setBuddy(printer_);
    form->addRow(printerLabel, printerRow);

    page_ = new QComboBox(this);
    page_->setObjectName(QStringLiteral("page"));
    for (const char* name : {"Pierwsza", "Druga", "Trzecia", "Czwarta"})
        page_->addItem(QString::fromUtf8(name));
    auto* pageLabel = new QLabel(QStringLiteral("&Strona formularza:"), this);
    pageLabel->setBuddy(page_);
    form->addRow(pageLabel, page_);

    // The pupils, with quick choices beside them.
    auto* pupilsLabel = new QLabel(QStringLiteral("&Uczniowie (spacja zaznacza):"), this);
    column->addWidget(pupilsLabel);
    auto* pupilsRow = new QHBoxLayout;
    pupils_ = new QListWidget(this);
    pupils_->setObjectName(QStringLiteral("pupils"));
    pupils_->setMinimumHeight(180);
    pupilsLabel->setBuddy(pupils_);
    pupilsRow->addWidget(pupils_, 1);
    auto* groupColumn = new QVBoxLayout;
    const char* const groupNames[kGroups] = {"Wszyscy", "Żaden", "Z wyróżnieniem",
                                             "Bez wyróżnienia", "Niepromowani"};
    for (int g = 0; g < kGroups; ++g) {
        auto* button = new QPushButton(QString::fromUtf8(groupNames[g]), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, g] { checkGroup(static_cast<Group>(g)); });
        groups_.push_back(button);
        groupColumn->addWidget(button);
    }
    groupColumn->addStretch(1);
    pupilsRow->addLayout(groupColumn);
    column->addLayout(pupilsRow, 1);

    auto* extras = new QFormLayout;
    copies_ = new QSpinBox(this);
    copies_->setObjectName(QStringLiteral("copies"));
    copies_->setRange(1, kMostCopies);
    auto* copiesLabel = new QLabel(QStringLiteral("&Kopie każdego świadectwa:"), this);
    copiesLabel->setBuddy(copies_);
    extras->addRow(copiesLabel, copies_);
    column->addLayout(extras);
    proof_ = new QCheckBox(QStringLiteral("Wydruk &próbny na zwykłym papierze"), this);
    proof_->setObjectName(QStringLiteral("proof"));
    proof_->setToolTip(
        QStringLiteral("Pod tekstami drukuje się skan formularza (Opcje), w rogu napis "
                       "„WYDRUK PRÓBNY”. Włóż zwykły papier."));
    column->addWidget(proof_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    column->addWidget(summary_);

    buttons_ = new QDialogButtonBox(this);
    print_ = buttons_->addButton(QStringLiteral("Drukuj"), QDialogButtonBox::AcceptRole);
    print_->setDefault(true);
    buttons_->addButton(QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons_);

    connect(pdf_, &QPushButton::clicked, this, &PrintCardsDialog::choosePdf);
    connect(properties_, &QPushButton::clicked, this, [this] {
        if (services_.properties && !printer_->currentData(kPdfRole).toBool())
            services_.properties(printer_->currentText(), this);
    });
    connect(printer_, &QComboBox::currentIndexChanged, this, &PrintCardsDialog::update);
    connect(page_, &QComboBox::currentIndexChanged, this, &PrintCardsDialog::update);
    connect(copies_, &QSpinBox::valueChanged, this, &PrintCardsDialog::update);
    connect(proof_, &QCheckBox::toggled, this, &PrintCardsDialog::update);
    connect(pupils_, &QListWidget::itemChanged, this, &PrintCardsDialog::update);
}

void PrintCardsDialog::prepare(const Document& doc, const QString& classFile,
                               const std::vector<std::size_t>& selected, int page)
{
    classFile_ = classFile;
    // A file chosen for an earlier job is never written again unasked.
    pdfFile_.clear();
    const QSignalBlocker blockPrinter(printer_);
    printer_->clear();
    const QStringList queues = services_.printers ? services_.printers() : QStringList();
    printer_->addItems(queues);
    QString wanted = lastPrinter_;
    if (wanted.isEmpty() && services_.preferredPrinter)
        wanted = services_.preferredPrinter();
    if (const int at = printer_->findText(wanted); at >= 0)
        printer_->setCurrentIndex(at);
    properties_->setEnabled(!queues.isEmpty());

    const QSignalBlocker blockPage(page_);
    const auto known = pageOfClass_.find(classFile);
    page_->setCurrentIndex(std::clamp(known != pageOfClass_.end() ? known->second : page, 0, 3));

    const QSignalBlocker blockPupils(pupils_);
    pupils_->clear();
    const std::size_t count = doc.pupils().count();
    const std::optional<std::size_t> names = namePhrase(doc.phrases());
    const std::vector<bool> expected = gradesExpected(doc.phrases(), doc.pupils());
    distinction_.assign(count, false);
    notPromoted_.assign(count, false);
    std::vector<bool> chosen(count, false);
    for (const std::size_t x : selected)
        if (x < count)
            chosen[x] = true;
    for (std::size_t x = 0; x < count; ++x) {
        const PupilGroups groups = pupilGroups(doc.phrases(), doc.pupils(), x, expected);
        distinction_[x] = groups.distinction;
        notPromoted_[x] = groups.notPromoted;
        auto* item = new QListWidgetItem(pupilLabel(doc, names, x), pupils_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen[x] ? Qt::Checked : Qt::Unchecked);
    }
    if (pupils_->count() > 0)
        pupils_->setCurrentRow(selected.empty() ? 0 : static_cast<int>(selected.front()));
    update();
}

std::optional<CardPrintChoice> PrintCardsDialog::ask(const Document& doc, const QString& classFile,
                                                     const std::vector<std::size_t>& selected,
                                                     int page)
{
    prepare(doc, classFile, selected, page);
    pupils_->setFocus();
    const int answer = services_.runModal ? services_.runModal(*this) : exec();
    if (answer != QDialog::Accepted)
        return std::nullopt;
    CardPrintChoice chosen = choice();
    if (chosen.pupils.empty() || (chosen.pdfFile.isEmpty() && chosen.printer.isEmpty()))
        return std::nullopt;
    pageOfClass_[classFile] = chosen.page;
    if (chosen.pdfFile.isEmpty())
        lastPrinter_ = chosen.printer;
    return chosen;
}

CardPrintChoice PrintCardsDialog::choice() const
{
    CardPrintChoice c;
    for (int row = 0; row < pupils_->count(); ++row)
        if (pupils_->item(row)->checkState() == Qt::Checked)
            c.pupils.push_back(static_cast<std::size_t>(row));
    c.page = page_->currentIndex();
    c.copies = copies_->value();
    c.proof = proof_->isChecked();
    if (printer_->currentData(kPdfRole).toBool())
        c.pdfFile = pdfFile_;
    else
        c.printer = printer_->currentText();
    return c;
}

QString PrintCardsDialog::summary() const
{
    const CardPrintChoice c = choice();
    QString where;
    if (!c.pdfFile.isEmpty())
        where = QStringLiteral("plik PDF %1").arg(QFileInfo(c.pdfFile).fileName());
    else if (!c.printer.isEmpty())
        where = QStringLiteral("drukarka %1").arg(c.printer);
    else
        return QStringLiteral(
            "Nie ma żadnej drukarki. Dodaj drukarkę w ustawieniach systemu (Drukarki, albo "
            "http://localhost:631 w przeglądarce) lub wybierz „Do pliku PDF…”.");
    if (c.pupils.empty())
        return QStringLiteral("Nie zaznaczono żadnego ucznia.");
    QString text = QStringLiteral("Do wydruku: %1").arg(certificatesText(c.pupils.size()));
    if (c.copies > 1)
        text += QStringLiteral(" po %1").arg(copiesText(c.copies));
    text += QStringLiteral(", strona %1, %2").arg(c.page + 1).arg(where);
    if (c.proof)
        text += QStringLiteral(" — wydruk próbny na zwykłym papierze");
    return text;
}

void PrintCardsDialog::choosePdf()
{
    if (!services_.askPdfFile)
        return;
    const QString file = services_.askPdfFile(this);
    if (file.isEmpty())
        return;
    pdfFile_ = file;
    const QString label = QStringLiteral("Plik PDF: %1").arg(QFileInfo(file).fileName());
    int at = printer_->findData(true, kPdfRole);
    if (at < 0) {
        printer_->addItem(label);
        at = printer_->count() - 1;
        printer_->setItemData(at, true, kPdfRole);
    } else {
        printer_->setItemText(at, label);
    }
    printer_->setCurrentIndex(at);
    update();
}

void PrintCardsDialog::checkGroup(Group group)
{
    const QSignalBlocker block(pupils_);
    for (int row = 0; row < pupils_->count(); ++row) {
        const auto x = static_cast<std::size_t>(row);
        bool on = false;
        switch (group) {
        case All: on = true; break;
        case None: on = false; break;
        case Distinction: on = distinction_[x]; break;
        case NoDistinction: on = !distinction_[x] && !notPromoted_[x]; break;
        case NotPromoted: on = notPromoted_[x]; break;
        case kGroups: break;
        }
        pupils_->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    pupils_->viewport()->update();
    update();
}

void PrintCardsDialog::update()
{
    summary_->setText(summary());
    const CardPrintChoice c = choice();
    print_->setEnabled(!c.pupils.empty() && (!c.pdfFile.isEmpty() || !c.printer.isEmpty()));
}

}  // namespace wykazki
