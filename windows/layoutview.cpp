#include "layoutview.h"

#include "editing/documenteditor.h"
#include "grid/celledi.h"
#include "print/certificatepdf.h"
#include "print/certificaterenderer.h"
#include "print/millimetregrid.h"
#include "print/printjob.h"
#include "print/textoverflow.h"
#include "print/units.h"
#include "qtbridge/cp1250text.h"

#include "document/document.h"
#include "document/phrasecolumns.h"

#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wykazki {

const QString LayoutView::kMoveStep = QStringLiteral("przesunięcie elementu");
const QString LayoutView::kResizeStep = QStringLiteral("zmiana rozmiaru");

namespace {

// How near an edge, in pixels, a press sizes the box instead of moving it.
constexpr int kEdgeGrip = 4;
// Half the side of the square that marks a phrase without a width.
constexpr int kCrossHalf = 5;
// A press that moves less than this is a click, not a drag.
constexpr int kDragThreshold = 3;

const QColor kOutline(96, 96, 96, 150);
const QColor kOverflow(230, 0, 0);
const QColor kSelected(0, 90, 220);
const QColor kCurrent(220, 60, 0);
const QColor kName(90, 90, 90, 170);

// value clamped to the bounds of the phrase editor's column and stored as
// that column stores it (whole millimetres truncated, y0 one decimal).
void setWithinRule(TFra& phrase, int column, double value)
{
    const std::optional<NumberRule> rule = phraseNumberRule(column);
    if (!rule)
        return;
    const double factor = std::pow(10.0, rule->decimals);
    value = std::round(value * factor) / factor;
    setPhraseNumber(phrase, column, std::clamp(value, rule->lower, rule->upper));
}

}  // namespace

LayoutView::LayoutView(DocumentEditor& editor, TCellEdi& phraseGrid, std::string programFolder,
                       QWidget* parent)
    : QWidget(parent), editor_(editor), grid_(phraseGrid), programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("layoutView"));
    setAccessibleName(QStringLiteral("Układ strony świadectwa"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const Document& doc = editor_.document();
    renderer_ = std::make_unique<CertificateRenderer>(doc.phrases(), doc.pupils(), doc.options(),
                                                      programFolder_);
    connect(&editor_, &DocumentEditor::changed, this, [this] { refresh(); });
    // The grid's cursor and selection are drawn: follow them.
    if (QItemSelectionModel* selection = grid_.selectionModel()) {
        connect(selection, &QItemSelectionModel::selectionChanged, this,
                qOverload<>(&QWidget::update));
        connect(selection, &QItemSelectionModel::currentChanged, this,
                qOverload<>(&QWidget::update));
    }
    layOut();
}

LayoutView::~LayoutView() = default;

const Document& LayoutView::document() const
{
    return editor_.document();
}

void LayoutView::setFormScanSource(std::function<QImage(int page)> source)
{
    formScanSource_ = std::move(source);
    refresh();
}

void LayoutView::showCard(std::size_t pupil, int page)
{
    pupil_ = pupil;
    page_ = std::clamp(page, 0, int{kLastPage});
    refresh();
}

void LayoutView::setScale(double scale)
{
    scale_ = std::clamp(scale, 0.05, 8.0);
    refresh();
}

QSize LayoutView::sheetSizeAtScaleOne() const
{
    const int dpi = surfacePixelsPerInch(*this);
    const TOpcje& options = document().options();
    return {std::max(1, mmToPixels(dpi, options.width)),
            std::max(1, mmToPixels(dpi, options.height))};
}

double LayoutView::pixelsPerMm() const
{
    return surfacePixelsPerInch(*this) / 25.4 * scale_;
}

QSize LayoutView::sizeHint() const
{
    const QSize sheet = sheetSizeAtScaleOne();
    return {std::max(1, applyScale(sheet.width(), scale_)),
            std::max(1, applyScale(sheet.height(), scale_))};
}

void LayoutView::refresh()
{
    // Typing in the main window changes the document all the time; a hidden
    // view waits until it is shown.
    if (!isVisible() && parentWidget() != nullptr) {
        stale_ = true;
        return;
    }
    stale_ = false;
    formScan_ = formScanSource_ ? formScanSource_(page_) : QImage();
    layOut();
    const QSize size = sizeHint();
    if (this->size() != size)
        setFixedSize(size);
    update();
}

void LayoutView::layOut()
{
    const Document& doc = document();
    const QSize size = sizeHint();
    // A fresh renderer when the document was read anew or emptied is not
    // needed: it reads the document's lists, which live as long as it does.
    elements_ = renderer_->layoutPage(*this, pupil_, page_, size.width(), size.height(), scale_);

    // The texts measured as the printed page has them, full size at the
    // print's resolution: the screen's fonts may round otherwise.
    std::vector<std::size_t> overflowing;
    if (sheetSizeUsable(doc.options())) {
        const QImage surface = measuringSurface(kPdfResolution);
        for (const PlacedElement& e : renderer_->layoutPage(
                 surface, pupil_, page_, mmToPixels(kPdfResolution, doc.options().width),
                 mmToPixels(kPdfResolution, doc.options().height), 1.0))
            if (measureTextFit(surface, doc.phrases()[e.phrase], e).overflow != TextOverflow::None)
                overflowing.push_back(e.phrase);
    }

    outlines_.clear();
    const int dpi = surfacePixelsPerInch(*this);
    const TOpcje& options = doc.options();
    for (std::size_t j = 0; j < doc.phrases().count(); ++j) {
        const TFra& phrase = doc.phrases()[j];
        if (phrase.page != page_)
            continue;
        const int leftPx =
            applyScale(mmToPixels(dpi, double(phrase.x0) + double(options.left)), scale_);
        const int baselinePx =
            applyScale(mmToPixels(dpi, double(phrase.y0) + double(options.top)), scale_);
        const int widthPx = applyScale(mmToPixels(dpi, phrase.width), scale_);
        const int heightPx = applyScale(mmToPixels(dpi, phrase.height), scale_);
        Outline outline;
        outline.phrase = j;
        outline.overflows =
            std::find(overflowing.begin(), overflowing.end(), j) != overflowing.end();
        const auto placed = std::find_if(elements_.begin(), elements_.end(),
                                         [j](const PlacedElement& e) { return e.phrase == j; });
        if (phrase.kind != PhraseKind::Picture && phrase.width <= 0) {
            outline.cross = true;
            outline.rect = QRect(leftPx - kCrossHalf, baselinePx - kCrossHalf, 2 * kCrossHalf + 1,
                                 2 * kCrossHalf + 1);
        } else if (placed != elements_.end()) {
            outline.rect = placed->box.rect();
            // A text box without a height reaches the sheet's foot: outline
            // its first line.
            if (placed->kind == ElementKind::Text && phrase.height <= 0)
                outline.rect.setHeight(QFontMetrics(placed->font.font, this).height());
        } else {
            // A picture that is not there: its box as the layout gives it.
            const int w = std::max(widthPx, 2 * kCrossHalf);
            const int h = std::max(heightPx, 2 * kCrossHalf);
            outline.rect = QRect(leftPx, baselinePx - h, w, h);
        }
        outlines_.push_back(outline);
    }
}

bool LayoutView::overflows(std::size_t phrase) const
{
    return std::any_of(outlines_.begin(), outlines_.end(),
                       [phrase](const Outline& o) { return o.phrase == phrase && o.overflows; });
}

std::optional<QRect> LayoutView::outlineOf(std::size_t phrase) const
{
    for (const Outline& o : outlines_) {
        if (o.phrase == phrase)
            return o.rect;
    }
    return std::nullopt;
}

// ---- Painting --------------------------------------------------------------------

void LayoutView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const TOpcje& options = editor_.document().options();
    drawFormScan(painter, formScan_, QSizeF(options.width, options.height), pixelsPerMm());
    drawMillimetreGrid(painter, width(), height(), scale_);
    paintElements(painter, elements_);

    const GridRect selected = grid_.selectedRange();
    const auto current = static_cast<std::size_t>(std::max(grid_.PozY(), 0));
    const auto isSelected = [&selected](std::size_t j) {
        const auto row = static_cast<int>(j) + 1;
        return row >= selected.top && row <= selected.bottom;
    };

    QFont nameFont = font();
    nameFont.setPointSizeF(std::max(6.0, nameFont.pointSizeF() * 0.85));
    painter.setFont(nameFont);
    for (const Outline& o : outlines_) {
        const bool isCurrent = o.phrase == current;
        QPen pen(isCurrent ? kCurrent : isSelected(o.phrase) ? kSelected : kOutline);
        pen.setWidth(isCurrent ? 2 : 1);
        if (!isCurrent && !isSelected(o.phrase))
            pen.setStyle(Qt::DashLine);
        if (o.overflows) {
            // Text the card would cut off: a solid red box, whatever else.
            pen.setColor(kOverflow);
            pen.setStyle(Qt::SolidLine);
            pen.setWidth(2);
        }
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        if (o.cross) {
            const QPoint c = o.rect.center();
            painter.drawLine(c.x() - kCrossHalf, c.y(), c.x() + kCrossHalf, c.y());
            painter.drawLine(c.x(), c.y() - kCrossHalf, c.x(), c.y() + kCrossHalf);
        } else {
            painter.drawRect(o.rect.adjusted(0, 0, -1, -1));
        }
        if (isCurrent)
            painter.fillRect(o.rect, QColor(220, 60, 0, 28));
        painter.setPen(kName);
        QString name = qstringFromCp1250(document().phrases()[o.phrase].name);
        if (o.overflows)
            name += QStringLiteral(" – nie mieści się");
        painter.drawText(o.rect.topLeft() + QPoint(2, -2), name);
    }

    // The boxes being dragged, where they would land.
    if (drag_ != Drag::None && dragNow_ != dragStart_) {
        QPen pen(kCurrent);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        for (const Outline& o : outlines_) {
            if (std::find(dragged_.begin(), dragged_.end(), o.phrase) != dragged_.end())
                painter.drawRect(draggedRect(o).adjusted(0, 0, -1, -1));
        }
    }
}

QRect LayoutView::draggedRect(const Outline& outline) const
{
    const QPoint d = dragNow_ - dragStart_;
    QRect r = outline.rect;
    switch (drag_) {
    case Drag::Move: return r.translated(d);
    case Drag::ResizeWidth: r.setRight(r.right() + d.x()); return r;
    case Drag::ResizeHeight: r.setBottom(r.bottom() + d.y()); return r;
    case Drag::ResizeBoth: r.setBottomRight(r.bottomRight() + d); return r;
    case Drag::None: break;
    }
    return r;
}

// ---- Mouse -----------------------------------------------------------------------

std::optional<std::size_t> LayoutView::phraseAt(QPoint pos) const
{
    // The last drawn lies on top; the current phrase is preferred where
    // boxes overlap, so that it can always be taken.
    const auto current = static_cast<std::size_t>(std::max(grid_.PozY(), 0));
    std::optional<std::size_t> found;
    for (auto it = outlines_.rbegin(); it != outlines_.rend(); ++it) {
        if (!it->rect.adjusted(-2, -2, 2, 2).contains(pos))
            continue;
        if (it->phrase == current)
            return current;
        if (!found)
            found = it->phrase;
    }
    return found;
}

LayoutView::Drag LayoutView::dragKindAt(const Outline& outline, QPoint pos) const
{
    if (outline.cross)
        return Drag::Move;
    const QRect& r = outline.rect;
    const bool nearRight = std::abs(pos.x() - (r.x() + r.width())) <= kEdgeGrip;
    const bool nearBottom = std::abs(pos.y() - (r.y() + r.height())) <= kEdgeGrip;
    if (nearRight && nearBottom)
        return Drag::ResizeBoth;
    if (nearRight)
        return Drag::ResizeWidth;
    if (nearBottom)
        return Drag::ResizeHeight;
    return Drag::Move;
}

std::vector<std::size_t> LayoutView::movedPhrases(std::size_t phrase) const
{
    const GridRect selected = grid_.selectedRange();
    const auto row = static_cast<int>(phrase) + 1;
    if (row < selected.top || row > selected.bottom)
        return {phrase};
    std::vector<std::size_t> phrases;
    const auto count = static_cast<int>(document().phrases().count());
    for (int r = selected.top; r <= std::min(selected.bottom, count); ++r)
        phrases.push_back(static_cast<std::size_t>(r - 1));
    return phrases;
}

void LayoutView::selectPhrase(std::size_t phrase, bool extend)
{
    const auto row = static_cast<int>(phrase) + 1;
    GridRect range = grid_.selectedRange();
    if (extend) {
        // The grid selects one block of rows: Ctrl+click stretches it to
        // take the row in.
        range.top = std::min(range.top, row);
        range.bottom = std::max(range.bottom, row);
        grid_.selectRange(range);
        return;
    }
    const bool inside = row >= range.top && row <= range.bottom;
    grid_.setPozY(static_cast<int>(phrase));
    // A press inside the selection keeps it, so that the block moves together.
    if (inside && range.top != range.bottom)
        grid_.selectRange(range);
}

void LayoutView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const std::optional<std::size_t> phrase = phraseAt(pos);
    if (!phrase)
        return;
    editor_.endTyping();
    lastArrow_ = 0;
    if (event->modifiers() & Qt::ControlModifier) {
        selectPhrase(*phrase, true);
        return;
    }
    selectPhrase(*phrase, false);
    const auto outline = std::find_if(outlines_.begin(), outlines_.end(),
                                      [&phrase](const Outline& o) { return o.phrase == *phrase; });
    drag_ = outline != outlines_.end() ? dragKindAt(*outline, pos) : Drag::Move;
    dragged_ = drag_ == Drag::Move ? movedPhrases(*phrase) : std::vector<std::size_t>{*phrase};
    dragStart_ = dragNow_ = pos;
    event->accept();
}

void LayoutView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (drag_ != Drag::None) {
        dragNow_ = pos;
        update();
        return;
    }
    // The pointer says what a press would do.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (const auto phrase = phraseAt(pos)) {
        for (const Outline& o : outlines_) {
            if (o.phrase != *phrase)
                continue;
            switch (dragKindAt(o, pos)) {
            case Drag::ResizeWidth: shape = Qt::SizeHorCursor; break;
            case Drag::ResizeHeight: shape = Qt::SizeVerCursor; break;
            case Drag::ResizeBoth: shape = Qt::SizeFDiagCursor; break;
            default: shape = Qt::SizeAllCursor;
            }
        }
    }
    setCursor(shape);
}

void LayoutView::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragNow_ = event->position().toPoint();
    const Drag drag = drag_;
    drag_ = Drag::None;
    const QPoint d = dragNow_ - dragStart_;
    if (d.manhattanLength() < kDragThreshold || dragged_.empty()) {
        update();
        return;
    }
    // A pixel is a quarter of a millimetre at 100 %: y0 moves by the finest
    // of 0.1, 0.5 and 1 mm that the pointer can show, x0 by whole ones.
    const double perMm = pixelsPerMm();
    const double yStep = perMm * 0.1 >= 1.0 ? 0.1 : perMm * 0.5 >= 1.0 ? 0.5 : 1.0;
    const double dxMm = d.x() / perMm;
    const double dyMm = std::round(d.y() / perMm / yStep) * yStep;
    if (drag == Drag::Move)
        commitMove(dragged_, dxMm, dyMm, false);
    else
        commitResize(dragged_.front(), drag == Drag::ResizeHeight ? 0.0 : dxMm,
                     drag == Drag::ResizeWidth ? 0.0 : dyMm);
    update();
}

// ---- Changes ------------------------------------------------------------------------

void LayoutView::commitMove(const std::vector<std::size_t>& phrases, double dxMm, double dyMm,
                            bool inRun)
{
    const Document& doc = document();
    std::vector<std::pair<std::size_t, TFra>> moved;
    for (std::size_t j : phrases) {
        if (j >= doc.phrases().count())
            continue;
        TFra phrase = doc.phrases()[j];
        setWithinRule(phrase, kColumnX0, std::round(double(phrase.x0) + dxMm));
        setWithinRule(phrase, kColumnY0, double(phrase.y0) + dyMm);
        moved.emplace_back(j, std::move(phrase));
    }
    if (moved.empty())
        return;
    if (inRun)
        editor_.setPhrasesInRun(kMoveStep, std::move(moved));
    else
        editor_.setPhrases(kMoveStep, std::move(moved));
}

void LayoutView::commitResize(std::size_t j, double dwMm, double dhMm)
{
    const Document& doc = document();
    if (j >= doc.phrases().count())
        return;
    TFra phrase = doc.phrases()[j];
    if (dwMm != 0.0)
        setWithinRule(phrase, kColumnWidth, std::round(double(phrase.width) + dwMm));
    if (dhMm != 0.0)
        setWithinRule(phrase, kColumnHeight, std::round(double(phrase.height) + dhMm));
    // A text without a width has no line spacing, as in the grid.
    if (phrase.width <= 0)
        phrase.lineSpacing = 0.0F;
    editor_.setPhrases(kResizeStep, {{j, std::move(phrase)}});
}

// ---- Keys ---------------------------------------------------------------------------

void LayoutView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down) {
        // Shift pressed again between arrows goes on with the run.
        if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt
            && key != Qt::Key_Meta)
            lastArrow_ = 0;
        QWidget::keyPressEvent(event);
        return;
    }
    // x0 is whole millimetres; y0 takes a tenth with Shift.
    const bool fine = event->modifiers() & Qt::ShiftModifier;
    const double stepY = fine ? 0.1 : 1.0;
    double dx = 0;
    double dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -stepY; break;
    default: dy = stepY;
    }
    const int run = key | (fine ? int(Qt::ShiftModifier) : 0);
    if (run != lastArrow_)
        editor_.endTyping();
    lastArrow_ = run;
    const auto current = static_cast<std::size_t>(std::max(grid_.PozY(), 0));
    commitMove(movedPhrases(current), dx, dy, true);
    event->accept();
}

void LayoutView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        refresh();
}

void LayoutView::focusOutEvent(QFocusEvent* event)
{
    lastArrow_ = 0;
    QWidget::focusOutEvent(event);
}

}  // namespace wykazki
