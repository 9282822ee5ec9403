#pragma once
// The program's answerer: Qt's own file dialogs and message boxes.

#include "dialogs.h"

#include <QIdentityProxyModel>

namespace wykazki {

// The message box's own button a choice's label stands for ("&Tak": Yes,
// "Nie", "OK", "Anuluj"), or NoButton for a label of the program's own.
QMessageBox::StandardButton standardButtonOf(QString label);

// The file dialog's sizes and dates the Polish way ("1,46 KiB",
// "4.03.2026 05:06"). Qt's file list writes them in the desktop's language,
// which is English under LANG=C; the names and types pass unchanged.
class PolishFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

class QtDialogs final : public Dialogs {
public:
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    QMessageBox::StandardButton question(QWidget* parent, const QString& title,
                                         const QString& text) override;
    int choose(QWidget* parent, const QString& title, const QString& text,
               const QStringList& buttons, QMessageBox::Icon icon) override;
    int runModal(QDialog& dialog) override;
};

}  // namespace wykazki
