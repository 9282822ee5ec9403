#include "qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>

#include <algorithm>
#include <vector>

namespace wykazki {

namespace {

QString runFileDialog(QWidget* parent, const FileDialogRequest& request,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setProxyModel(new PolishFileDetails(&dialog));
    // The detailed list shows sizes, types and dates whole; the name takes
    // the rest of the width.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 440)));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (!request.fileName.isEmpty()) {
        const QFileInfo preset(request.fileName);
        dialog.setDirectory(preset.absolutePath());
        dialog.selectFile(preset.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The columns of Qt's file list.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

}  // namespace

QVariant PolishFileDetails::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr || role != Qt::DisplayRole
        || (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    static const QLocale polish(QLocale::Polish, QLocale::Poland);
    if (index.column() == kDateColumn) {
        const QDateTime modified = files->lastModified(source);
        return modified.isValid() ? polish.toString(modified, QLocale::ShortFormat) : QString();
    }
    // A folder has no size; Qt's own text (empty, or "Napęd" for a drive) stays.
    if (files->isDir(source))
        return QIdentityProxyModel::data(index, role);
    return polish.formattedDataSize(files->size(source));
}

QString QtDialogs::openFileName(QWidget* parent, const FileDialogRequest& request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

QMessageBox::StandardButton QtDialogs::question(QWidget* parent, const QString& title,
                                                const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    // The buttons' texts come from Qt's Polish translation, loaded at start.
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton standardButtonOf(QString label)
{
    label.remove(QLatin1Char('&'));
    if (label == QLatin1String("Tak"))
        return QMessageBox::Yes;
    if (label == QLatin1String("Nie"))
        return QMessageBox::No;
    if (label == QLatin1String("OK"))
        return QMessageBox::Ok;
    if (label == QLatin1String("Anuluj"))
        return QMessageBox::Cancel;
    return QMessageBox::NoButton;
}

int QtDialogs::choose(QWidget* parent, const QString& title, const QString& text,
                      const QStringList& buttons, QMessageBox::Icon icon)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> pushed;
    for (const QString& label : buttons) {
        // Yes, No, OK and Cancel are Qt's own buttons, with the texts of
        // Qt's translation; the rest are the program's.
        const QMessageBox::StandardButton standard = standardButtonOf(label);
        pushed.push_back(standard != QMessageBox::NoButton
                             ? box.addButton(standard)
                             : box.addButton(label, QMessageBox::AcceptRole));
    }
    if (pushed.empty())
        return -1;
    box.setDefaultButton(pushed.front());
    box.setEscapeButton(pushed.back());
    box.exec();
    const auto chosen = std::find(pushed.begin(), pushed.end(), box.clickedButton());
    return static_cast<int>(chosen == pushed.end() ? pushed.size() - 1
                                                   : std::size_t(chosen - pushed.begin()));
}

int QtDialogs::runModal(QDialog& dialog)
{
    // The keyboard goes back to the window that had it, as a window manager
    // would do; where none does, the program would otherwise be left with
    // no active window and no shortcuts.
    const QPointer<QWidget> before = QApplication::activeWindow();
    const int result = dialog.exec();
    if (before && before->isVisible())
        before->activateWindow();
    return result;
}

}  // namespace wykazki
