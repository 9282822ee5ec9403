#include "layoutpanel.h"

#include "layoutview.h"
#include "usersettings.h"

#include "editing/documenteditor.h"
#include "qtbridge/cp1250text.h"

#include "document/document.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace wykazki {

namespace {

constexpr std::array kZoomSteps = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kFitPageItem = -1;
constexpr int kFitWidthItem = -2;

}  // namespace

LayoutPanel::LayoutPanel(DocumentEditor& editor, TCellEdi& phraseGrid, std::string programFolder,
                         std::function<int()> currentPupil, QWidget* parent)
    : QWidget(parent), editor_(editor), currentPupil_(std::move(currentPupil))
{
    setObjectName(QStringLiteral("layoutPanel"));
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);

    pageChoice_ = new QComboBox(this);
    pageChoice_->setObjectName(QStringLiteral("layoutPage"));
    pageChoice_->setAccessibleName(QStringLiteral("Strona formularza"));
    for (int page = 1; page <= 4; ++page)
        pageChoice_->addItem(QStringLiteral("Strona %1").arg(page));
    pupilChoice_ = new QComboBox(this);
    pupilChoice_->setObjectName(QStringLiteral("layoutPupil"));
    pupilChoice_->setAccessibleName(QStringLiteral("Uczeń"));
    pupilChoice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pupilChoice_->setMinimumContentsLength(14);
    zoomChoice_ = new QComboBox(this);
    zoomChoice_->setObjectName(QStringLiteral("layoutZoom"));
    zoomChoice_->setAccessibleName(QStringLiteral("Powiększenie"));
    zoomChoice_->addItem(QStringLiteral("Cała strona"), kFitPageItem);
    zoomChoice_->addItem(QStringLiteral("Szerokość strony"), kFitWidthItem);
    for (int percent : kZoomSteps)
        zoomChoice_->addItem(QStringLiteral("%1 %").arg(percent), percent);

    auto* pageLabel = new QLabel(QStringLiteral("&Strona:"), this);
    pageLabel->setBuddy(pageChoice_);
    auto* pupilLabel = new QLabel(QStringLiteral("&Uczeń:"), this);
    pupilLabel->setBuddy(pupilChoice_);
    auto* zoomLabel = new QLabel(QStringLiteral("Po&większenie:"), this);
    zoomLabel->setBuddy(zoomChoice_);
    bar->addWidget(pageLabel);
    bar->addWidget(pageChoice_);
    bar->addWidget(pupilLabel);
    bar->addWidget(pupilChoice_, 1);
    bar->addWidget(zoomLabel);
    bar->addWidget(zoomChoice_);

    view_ = new LayoutView(editor, phraseGrid, std::move(programFolder));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("layoutScroll"));
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);
    view_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    const auto addZoomKey = [this](const QKeySequence& keys, const std::function<void()>& run) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    addZoomKey(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { setFit(Fit::Page); });
    addZoomKey(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { zoomBy(1); });
    addZoomKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomBy(1); });
    addZoomKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { zoomBy(-1); });

    const UserSettings settings;
    const int page = std::clamp(settings.value("layoutView/page", 0).toInt(), 0, 3);
    const int zoom = settings.value("layoutView/zoom", kFitPageItem).toInt();
    pageChoice_->setCurrentIndex(page);
    if (zoom == kFitWidthItem)
        fit_ = Fit::Width;
    else if (zoom == kFitPageItem)
        fit_ = Fit::Page;
    else {
        fit_ = Fit::None;
        percent_ = std::clamp(zoom, kZoomSteps.front(), kZoomSteps.back());
    }
    showZoom();

    connect(pageChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
        view_->showCard(view_->pupil(), std::max(index, 0));
        remember();
    });
    connect(pupilChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
        view_->showCard(static_cast<std::size_t>(std::max(index, 0)), view_->page());
    });
    connect(zoomChoice_, &QComboBox::activated, this, [this](int index) {
        const int item = zoomChoice_->itemData(index).toInt();
        if (item == kFitPageItem)
            setFit(Fit::Page);
        else if (item == kFitWidthItem)
            setFit(Fit::Width);
        else
            setZoomPercent(item);
    });
    // A pupil added, removed or renamed: the list follows.
    connect(&editor_, &DocumentEditor::changed, this, [this] { fillPupils(); });
    fillPupils();
    view_->showCard(0, page);
}

LayoutPanel::~LayoutPanel() = default;

void LayoutPanel::fillPupils()
{
    const Document& doc = editor_.document();
    const auto count = static_cast<int>(doc.pupils().count());
    // A pupil is named by the first text phrase (the name, on every card).
    const auto& phrases = doc.phrases();
    const auto named = std::find_if(phrases.begin(), phrases.end(),
                                    [](const TFra& f) { return f.kind == PhraseKind::Text; });
    const auto nameRow = static_cast<std::size_t>(named - phrases.begin());
    QStringList names;
    for (int x = 0; x < count; ++x) {
        const QString name =
            named == phrases.end()
                ? QString()
                : qstringFromCp1250(doc.value(static_cast<std::size_t>(x), nameRow).text);
        names << QStringLiteral("%1. %2").arg(x + 1).arg(name);
    }
    QStringList shown;
    for (int i = 0; i < pupilChoice_->count(); ++i)
        shown << pupilChoice_->itemText(i);
    if (shown == names)
        return;
    const QSignalBlocker quiet(pupilChoice_);
    const int keep = std::min(pupilChoice_->currentIndex(), count - 1);
    pupilChoice_->clear();
    pupilChoice_->addItems(names);
    pupilChoice_->setCurrentIndex(keep);
    view_->showCard(static_cast<std::size_t>(std::max(keep, 0)), view_->page());
}

void LayoutPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fillPupils();
    // The card of the pupil the teacher works on in the main window.
    if (currentPupil_) {
        const int pupil = currentPupil_();
        if (pupil >= 0 && pupil < pupilChoice_->count())
            pupilChoice_->setCurrentIndex(pupil);
    }
    applyFit();
}

void LayoutPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyFit();
}

void LayoutPanel::setZoomPercent(int percent)
{
    fit_ = Fit::None;
    percent_ = std::clamp(percent, kZoomSteps.front(), kZoomSteps.back());
    view_->setScale(percent_ / 100.0);
    showZoom();
    remember();
}

void LayoutPanel::setFit(Fit fit)
{
    fit_ = fit;
    applyFit();
    showZoom();
    remember();
}

void LayoutPanel::zoomBy(int steps)
{
    const auto now = static_cast<int>(std::lround(view_->scale() * 100));
    int next = now;
    if (steps > 0) {
        const auto up = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = up == kZoomSteps.end() ? kZoomSteps.back() : *up;
    } else if (steps < 0) {
        const auto down = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = down == kZoomSteps.begin() ? kZoomSteps.front() : *std::prev(down);
    }
    setZoomPercent(next);
}

void LayoutPanel::applyFit()
{
    if (fit_ == Fit::None) {
        view_->setScale(percent_ / 100.0);
        return;
    }
    const QSize sheet = view_->sheetSizeAtScaleOne();
    const QSize room = scroll_->viewport()->size() - QSize(8, 8);
    const double byWidth = double(std::max(room.width(), 40)) / sheet.width();
    const double byHeight = double(std::max(room.height(), 40)) / sheet.height();
    view_->setScale(fit_ == Fit::Width ? byWidth : std::min(byWidth, byHeight));
}

void LayoutPanel::showZoom()
{
    const int item = fit_ == Fit::Page    ? kFitPageItem
                     : fit_ == Fit::Width ? kFitWidthItem
                                          : percent_;
    const QSignalBlocker quiet(zoomChoice_);
    zoomChoice_->setCurrentIndex(std::max(zoomChoice_->findData(item), 0));
}

void LayoutPanel::remember() const
{
    UserSettings settings;
    settings.setValue("layoutView/page", pageChoice_->currentIndex());
    settings.setValue("layoutView/zoom", fit_ == Fit::Page    ? kFitPageItem
                                         : fit_ == Fit::Width ? kFitWidthItem
                                                              : percent_);
}

bool LayoutPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                zoomBy(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wykazki
