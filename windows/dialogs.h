#pragma once
// The questions and file choices the windows put to the user, behind one
// small interface: the program answers them with Qt's dialogs, the tests
// with a scripted fake, so that nothing ever blocks a test.

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace wykazki {

// A file dialog's settings.
struct FileDialogRequest {
    QString title;
    QString filter;         // Qt form: "Pliki świadectw (*.wkz);;Wszystkie pliki (*)"
    QString defaultSuffix;  // appended to a name typed without one
    QString fileName;       // preset name (folder and file)
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen file, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // A question with Yes, No and Cancel and the question icon; the answer
    // is one of QMessageBox::Yes, No or Cancel.
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& title,
                                                 const QString& text) = 0;
    // A message with buttons of its own (the first the default, the last
    // the answer to Escape): the index of the button chosen, the last one's
    // when the box was closed otherwise.
    virtual int choose(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons, QMessageBox::Icon icon);
    // Shows a window modally and returns once it is closed.
    virtual int runModal(QDialog& dialog) = 0;
};

// Turns a filter written as "description|pattern|description|pattern" into
// Qt's form. "*.*" becomes "*" so that names without an extension show too.
QString qtFileFilter(const QString& pairs);

}  // namespace wykazki
