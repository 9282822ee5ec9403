#pragma once
// The print options window "Opcje": the sheet size, the shift of every
// printed element and the 21 wordings of the class. There is no cancel:
// every way of closing keeps what was edited.

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

#include "document/topcje.h"
#include "keyscheme.h"

class QAction;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace wykazki {

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

    // The proof print's scanned forms and the calibration page, which the
    // program keeps outside the class's options.
    struct ProofHooks {
        std::function<QString(int page)> scanName;  // page 0..3; empty: none
        std::function<void(int page)> chooseScan;   // asks for an image and keeps it
        // Prints the calibration page with the sheet and shift as the window
        // shows them now.
        std::function<void(const TOpcje& options)> printCalibration;
    };
    void setProofHooks(ProofHooks hooks);
    // "Skany formularza…" and its menu's entry for page 0..3.
    QPushButton& scansButton() { return *scans_; }
    QAction& scanAction(int page) { return *scanActions_.at(static_cast<std::size_t>(page)); }
    QPushButton& calibrationButton() { return *calibration_; }
    QCheckBox& showFormBox() { return *showForm_; }
    QComboBox& keySchemeBox() { return *keys_; }

signals:
    // "Skróty klawiszowe" changed (already stored for the user).
    void keySchemeChosen(KeyScheme scheme);

public:
    // "Pokaż formularz w podglądzie", this user's choice (default on).
    static bool showFormInPreview();

protected:
    // The window sees every key first: Enter anywhere closes it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The sheet size, the shift, the logo and the close button.
    QLayout* buildSheetColumn();
    void buildWordingGroups(QBoxLayout& columns);
    QWidget* buildProofGroup();
    void showScans();
    void load(const TOpcje& options);
    void store(TOpcje& options);

    std::array<QSpinBox*, 4> spinEdits_{};
    std::array<QLineEdit*, kWordingCount> edits_{};
    QToolButton* closeButton_ = nullptr;
    QPushButton* scans_ = nullptr;
    std::array<QAction*, 4> scanActions_{};
    QPushButton* calibration_ = nullptr;
    QCheckBox* showForm_ = nullptr;
    QComboBox* keys_ = nullptr;
    ProofHooks proofHooks_;
    // The texts as loaded: an untouched box gives back its bytes unchanged.
    std::array<QString, kWordingCount> loaded_;
    std::array<std::string, kWordingCount> loadedBytes_;
};

}  // namespace wykazki
