#pragma once
// The grid options window "Kolmo'05": header sizes, cell sizes, alignment
// and font of any grid, every change applied to the grid at once. The
// grid's layout is what the next save of the class file stores.

#include <QDialog>

#include <functional>
#include <vector>

class QButtonGroup;
class QFont;
class QPushButton;
class QSpinBox;

namespace wykazki {

class Dialogs;
class TCellEdi;

class Tffopcje : public QDialog {
    Q_OBJECT
public:
    enum class Mode {
        UniformSizes = 0,  // the cell fields set every column (row) to one size
        Percent = 1,       // the cell fields scale every column (row) as it was
    };
    // Shows the font dialog from initial; apply is called for OK and for
    // every press of its Apply button.
    using FontChooser = std::function<void(QWidget* parent, const QFont& initial,
                                           const std::function<void(const QFont&)>& apply)>;

    explicit Tffopcje(Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tffopcje() override;

    // Opens the window modally on grid. The grid must outlive the call.
    void Pokaz(TCellEdi& grid, Mode mode);
    // Pokaz without showing the window, for the tests; finish() is what
    // closing does.
    void prepare(TCellEdi& grid, Mode mode);
    void finish();

    void setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }

    QSpinBox& headerWidthSpin() { return *headerWidth_; }
    QSpinBox& headerHeightSpin() { return *headerHeight_; }
    QSpinBox& cellWidthSpin() { return *cellWidth_; }
    QSpinBox& cellHeightSpin() { return *cellHeight_; }
    QButtonGroup& alignmentGroup() { return *alignment_; }
    QPushButton& fontButton() { return *fontButton_; }
    QPushButton& closeButton() { return *close_; }

public slots:
    void chooseFont();

private:
    void buildControls();
    void setLoading(bool loading);
    void cellWidthChanged(int value);
    void cellHeightChanged(int value);

    Dialogs& dialogs_;
    FontChooser fontChooser_;
    TCellEdi* grid_ = nullptr;
    Mode mode_ = Mode::UniformSizes;
    bool loading_ = false;
    // Mode 1: the sizes when the window opened, scaled by the percentages.
    std::vector<int> widths_;
    std::vector<int> heights_;

    QSpinBox* headerWidth_ = nullptr;
    QSpinBox* headerHeight_ = nullptr;
    QSpinBox* cellWidth_ = nullptr;
    QSpinBox* cellHeight_ = nullptr;
    QButtonGroup* alignment_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace wykazki
