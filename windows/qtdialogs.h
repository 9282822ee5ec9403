#pragma once
// The program's answerer: Qt's own file dialogs and message boxes.

#include "dialogs.h"

namespace wykazki {

// The message box's own button a choice's label stands for ("&Tak": Yes,
// "Nie", "OK", "Anuluj"), or NoButton for a label of the program's own.
QMessageBox::StandardButton standardButtonOf(QString label);

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
