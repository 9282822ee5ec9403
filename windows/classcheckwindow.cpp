#include "classcheckwindow.h"

#include "qtbridge/cp1250text.h"

#include "document/document.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <set>

namespace wykazki {

namespace {

constexpr int kPupilRole = Qt::UserRole;
constexpr int kPhraseRole = Qt::UserRole + 1;  // -1: the pupil as a whole

// "1 ucznia", "3 uczniów": the genitive the sentences below take.
QString pupilsText(std::size_t n)
{
    return n == 1 ? QStringLiteral("1 ucznia") : QStringLiteral("%1 uczniów").arg(n);
}

QString findingsText(std::size_t n)
{
    const std::size_t tens = n % 100;
    const std::size_t units = n % 10;
    if (n == 1)
        return QStringLiteral("1 uwaga");
    const bool few = units >= 2 && units <= 4 && (tens < 12 || tens > 14);
    return QStringLiteral("%1 %2").arg(n).arg(few ? QStringLiteral("uwagi")
                                                  : QStringLiteral("uwag"));
}

}  // namespace

std::optional<std::vector<Finding>> runClassCheck(QWidget* parent, const Document& document,
                                                  const CheckScope& scope,
                                                  const std::string& programFolder,
                                                  const Speller* speller,
                                                  const std::vector<LostCharacters>& lost)
{
    ClassCheck check(document.phrases(), document.pupils(), document.options(), programFolder,
                     speller);
    QProgressDialog progress(QStringLiteral("Sprawdzanie świadectw…"), QStringLiteral("Przerwij"),
                             0, static_cast<int>(scope.pupils.size()), parent);
    progress.setWindowTitle(QStringLiteral("Sprawdź przed drukiem"));
    // The check holds references into the document: no window of the
    // program may change it while the dialog lets events through.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    std::vector<Finding> all;
    int done = 0;
    for (const std::size_t pupil : scope.pupils) {
        std::vector<Finding> found = check.checkPupil(pupil, scope.page, lost);
        all.insert(all.end(), found.begin(), found.end());
        progress.setValue(++done);
        progress.setLabelText(QStringLiteral("Sprawdzanie świadectw: uczeń %1 z %2")
                                  .arg(done)
                                  .arg(scope.pupils.size()));
        if (progress.wasCanceled())
            return std::nullopt;
    }
    return all;
}

std::size_t pupilsStoppingPrint(const std::vector<Finding>& findings)
{
    std::set<std::size_t> pupils;
    for (const Finding& f : findings)
        if (stopsPrinting(f.kind))
            pupils.insert(f.pupil);
    return pupils.size();
}

ClassCheckWindow::ClassCheckWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ClassCheckWindow"));
    setWindowTitle(QStringLiteral("Sprawdź przed drukiem"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("findings"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Uczeń / fraza"), QStringLiteral("Uwaga")});
    list_->setAccessibleName(QStringLiteral("Uwagi przed drukiem"));
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    layout->addWidget(list_, 1);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { activate(item); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* again =
        buttons->addButton(QStringLiteral("Sprawdź &ponownie"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(again, &QPushButton::clicked, this, &ClassCheckWindow::recheckRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 420);
}

void ClassCheckWindow::showFindings(const Document& document, const std::vector<Finding>& findings,
                                    std::size_t checked, std::optional<int> page)
{
    list_->clear();
    std::set<std::size_t> withFindings;
    std::size_t count = 0;
    QTreeWidgetItem* pupilItem = nullptr;
    std::optional<std::size_t> current;
    for (const Finding& f : findings) {
        if (current != f.pupil) {
            current = f.pupil;
            pupilItem = new QTreeWidgetItem(list_);
            pupilItem->setText(0,
                               QStringLiteral("%1. %2")
                                   .arg(f.pupil + 1)
                                   .arg(pupilName(document.phrases(), document.pupils(), f.pupil)));
            pupilItem->setData(0, kPupilRole, QVariant::fromValue<qulonglong>(f.pupil));
            pupilItem->setData(0, kPhraseRole, -1);
            pupilItem->setExpanded(true);
        }
        if (f.kind == FindingKind::Groups) {
            pupilItem->setText(1, f.text);
            continue;
        }
        ++count;
        withFindings.insert(f.pupil);
        auto* item = new QTreeWidgetItem(pupilItem);
        if (f.phrase && *f.phrase < document.phrases().count())
            item->setText(0, qstringFromCp1250(document.phrases()[*f.phrase].name));
        item->setText(1, f.text);
        item->setData(0, kPupilRole, QVariant::fromValue<qulonglong>(f.pupil));
        item->setData(0, kPhraseRole, f.phrase ? static_cast<int>(*f.phrase) : -1);
    }
    const QString where =
        page ? QStringLiteral("strona %1").arg(*page + 1) : QStringLiteral("wszystkie strony");
    summary_->setText(
        count == 0 ? QStringLiteral("Sprawdzono świadectwa %1 (%2). Brak uwag.")
                         .arg(pupilsText(checked), where)
                   : QStringLiteral(
                         "Sprawdzono świadectwa %1 (%2): %3 u %4. Dwukrotne kliknięcie przenosi "
                         "kursor do ucznia i frazy.")
                         .arg(pupilsText(checked), where, findingsText(count),
                              pupilsText(withFindings.size())));
    if (QTreeWidgetItem* first = list_->topLevelItem(0))
        list_->setCurrentItem(first->childCount() > 0 ? first->child(0) : first);
    list_->setFocus();
}

void ClassCheckWindow::activate(QTreeWidgetItem* item)
{
    if (item == nullptr)
        return;
    const auto pupil = static_cast<std::size_t>(item->data(0, kPupilRole).toULongLong());
    const int phrase = item->data(0, kPhraseRole).toInt();
    emit goTo(pupil, phrase < 0 ? std::nullopt
                                : std::optional<std::size_t>(static_cast<std::size_t>(phrase)));
}

}  // namespace wykazki
