#pragma once
// " Info": the information document "wyka2001.rtf" from the program folder
// in a read-only rich-text box. It opens by itself at the first activation
// of the main window in a run (queued after the activation, so the main
// window is up and takes keys before the document is read) and from
// Pomoc > Info. A missing or unreadable document, or anything but a
// regular file, shows nothing and says nothing; what the RTF reader takes
// from it is bounded, so laying it out stays quick.

#include <QDialog>

class QTextBrowser;
class QToolButton;

namespace wykazki {

class Dialogs;

class Tffintro : public QDialog {
    Q_OBJECT
public:
    static const QString kDocumentName;  // "wyka2001.rtf"

    explicit Tffintro(Dialogs& dialogs, QWidget* parent = nullptr);

    // Loads the document at path and shows it modally on the given
    // background. atStart: only when the window has not been shown yet in
    // this run. Returns whether the window was shown.
    bool showInformation(const QString& path, bool atStart, const QColor& background);

    bool firstShowingPending() const { return firstShowingPending_; }
    QTextBrowser& textView() { return *textView_; }
    QToolButton& closeButton() { return *closeButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool load(const QString& path);
    void fitToScreen();

    Dialogs& dialogs_;
    QTextBrowser* textView_;
    QToolButton* closeButton_;
    bool firstShowingPending_ = true;
};

}  // namespace wykazki
