#pragma once
// The layout view with its toolbar: the page of the form, the pupil whose
// card is drawn, and the zoom (fit page, fit width, 25–400 %; Ctrl+wheel,
// Ctrl+0, Ctrl++, Ctrl+−). Page and zoom are remembered per user, never in
// the class file.

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QScrollArea;

namespace wykazki {

class DocumentEditor;
class LayoutView;
class TCellEdi;

class LayoutPanel : public QWidget {
    Q_OBJECT
public:
    // currentPupil: the main window's current pupil (-1 for none), asked
    // when the panel is shown.
    LayoutPanel(DocumentEditor& editor, TCellEdi& phraseGrid, std::string programFolder,
                std::function<int()> currentPupil, QWidget* parent = nullptr);
    ~LayoutPanel() override;

    LayoutView& view() { return *view_; }
    QComboBox& pageChoice() { return *pageChoice_; }
    QComboBox& pupilChoice() { return *pupilChoice_; }
    QComboBox& zoomChoice() { return *zoomChoice_; }

    enum class Fit { Page, Width, None };
    // A fixed zoom in percent (25..400), or one of the fits.
    void setZoomPercent(int percent);
    void setFit(Fit fit);
    Fit fit() const { return fit_; }
    // One step up or down of the fixed zooms (Ctrl++, Ctrl+−, Ctrl+wheel).
    void zoomBy(int steps);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPupils();
    void applyFit();
    void showZoom();
    void remember() const;

    DocumentEditor& editor_;
    std::function<int()> currentPupil_;
    LayoutView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QComboBox* pageChoice_ = nullptr;
    QComboBox* pupilChoice_ = nullptr;
    QComboBox* zoomChoice_ = nullptr;
    Fit fit_ = Fit::Page;
    int percent_ = 100;
};

}  // namespace wykazki
