#pragma once
// The error window: one red line with the message of an error code, shown
// modally and closed by any key or click.

#include <QDialog>

class QLabel;
class QToolButton;

namespace wykazki {

class Dialogs;

class Tffwerr : public QDialog {
    Q_OBJECT
public:
    explicit Tffwerr(Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the message of the code. When the window is already open only
    // its text changes; otherwise it is shown modally and this returns once
    // it is closed.
    void report(int code);
    // One window for a file that failed: its name, then every message.
    void reportFile(const QString& file, const QList<int>& codes);

    QString message() const;
    QToolButton& closeButton() { return *closeButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showText(const QString& text);

    Dialogs& dialogs_;
    QLabel* tekst_;
    QToolButton* closeButton_;
};

}  // namespace wykazki
