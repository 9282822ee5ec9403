#pragma once
// The print options window "Opcje": the sheet size, the shift of every
// printed element and the 21 wordings of the class. There is no cancel:
// every way of closing keeps what was edited.

#include <QDialog>
#include <QString>

#include <array>

#include "document/topcje.h"

class QBoxLayout;
class QLayout;
class QLineEdit;
class QSpinBox;
class QToolButton;

class Tffwopcje : public QDialog {
    Q_OBJECT
public:
    explicit Tffwopcje(QWidget* parent = nullptr);

    // Loads the four numbers and the 21 wordings from options, shows the
    // window modally and, however it is closed, writes them all back. The
    // document's modified flag is not touched.
    void editOptions(TOpcje& options);

    // SpinEdit1..4: width, height, left shift, top shift.
    QSpinBox& spinEdit(int number) { return *spinEdits_.at(static_cast<std::size_t>(number - 1)); }
    // Edit1..21: wordings 0..20.
    QLineEdit& edit(int number) { return *edits_.at(static_cast<std::size_t>(number - 1)); }
    QToolButton& koniecButton() { return *closeButton_; }

protected:
    // The window sees every key first: Enter anywhere closes it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The sheet size, the shift, the logo and the close button.
    QLayout* buildSheetColumn();
    void buildWordingGroups(QBoxLayout& columns);
    void load(const TOpcje& options);
    void store(TOpcje& options);

    std::array<QSpinBox*, 4> spinEdits_{};
    std::array<QLineEdit*, kLiczbaBrzmien> edits_{};
    QToolButton* closeButton_ = nullptr;
    // The texts as loaded: an untouched box gives back its bytes unchanged.
    std::array<QString, kLiczbaBrzmien> loaded_;
    std::array<std::string, kLiczbaBrzmien> loadedBytes_;
};
