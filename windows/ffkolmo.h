#pragma once
// The about window: the program's name, version and purpose, the Qt it
// runs on and a link to the program's home page, white and aqua on black.

#include <QDialog>
#include <QUrl>

class QLabel;

namespace wykazki {

class Dialogs;

class Tffkolmo : public QDialog {
    Q_OBJECT
public:
    // homePage may be empty: the window then shows no link.
    Tffkolmo(Dialogs& dialogs, QUrl homePage, QWidget* parent = nullptr);

    // Shows the window modally.
    void about();

    QLabel& link() { return *link_; }
    QString text() const;  // every label's text, for tests

protected:
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& dialogs_;
    QUrl homePage_;
    QLabel* link_;
};

}  // namespace wykazki
