// TCellEdi's keyboard and mouse: how key presses, typed characters and
// clicks become owner events, and the gate of the in-place editor.

#include "grid/celledi.h"

#include "document/cp1250.h"
#include "grid/gridheader.h"
#include "grid/gridmodel.h"
#include "grid/keycodes.h"
#include "qtbridge/cp1250text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace wykazki {

namespace {

TShiftState shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

TShiftState mouseShiftState(const QMouseEvent* event, bool doubleClick)
{
    TShiftState shift = shiftState(event->modifiers(), event->buttons() | event->button());
    if (doubleClick)
        shift |= ssDouble;
    return shift;
}

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return kButtonLeft;
    case Qt::RightButton: return kButtonRight;
    case Qt::MiddleButton: return kButtonMiddle;
    default: return 0;
    }
}

bool clipboardHoldsText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

}  // namespace

// ---- Keyboard ---------------------------------------------------------------

void TCellEdi::keyPressEvent(QKeyEvent* event)
{
    // Ignored unless a step below uses the key, so that a dialog still sees
    // the keys the grid has no use for.
    event->ignore();
    // A key the key-down steps used types no character of its own, and
    // only that one: the flag never outlives the key press.
    keyHandled_ = false;
    keyDown(event);
    if (!event->text().isEmpty())
        typedCharacter(event);
    keyHandled_ = false;
}

void TCellEdi::keyDown(QKeyEvent* event)
{
    std::uint32_t key = virtualKey(event->key(), event->modifiers());
    if (key == 0)
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool alt = modifiers & Qt::AltModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const auto letter = [&](char c) { return (key & 0xFF) == std::uint32_t(c); };

    if (key >= vk::Prior && key <= vk::Down) {
        QTableView::keyPressEvent(event);  // navigation and Shift+arrow ranges
        event->accept();
        return;
    }
    if (!alt && ((shift && key == vk::Insert) || (ctrl && letter('V')))
        && binds(CellEdiEvent::OnClipboardToOczko) && clipboardHoldsText()) {
        pasteClipboard(ctrl && shift && letter('V') ? PasteLayout::Transposed
                                                    : PasteLayout::AsCopied);
        keyHandled_ = true;
        event->accept();
        return;
    }
    if (!alt && ctrl && (key == vk::Insert || letter('C'))
        && binds(CellEdiEvent::OnOczkoToClipboard)) {
        copySelection();
        keyHandled_ = true;
        event->accept();
        return;
    }
    if (key == vk::F5 && binds(CellEdiEvent::OnToTxtFile)) {
        exportTextFile();
        keyHandled_ = true;
        event->accept();
        return;
    }
    if (binds(CellEdiEvent::OnAkcja)) {
        owner_->cellAction(*this, PozX(), PozY(), key, kButtonKeyboard,
                           shiftState(modifiers, QGuiApplication::mouseButtons()));
        key &= 0xFFFF;
        if (key == 0) {
            keyHandled_ = true;
            event->accept();
            return;
        }
    }
    if (key == vk::Delete && binds(CellEdiEvent::OnAkcjaEdit)) {
        // The owner works on a copy: the key goes on as Delete regardless.
        unsigned char marker = '~';
        owner_->cellEdit(*this, PozX(), PozY(), marker, kButtonKeyboard);
        event->accept();
    }
    passKeyToBase(event, key);
}

void TCellEdi::passKeyToBase(QKeyEvent* event, std::uint32_t key)
{
    // The base grid's own keys: navigation (a key an owner turned into an
    // arrow included) and F2 for the in-place editor. Qt's item view would
    // also copy on Ctrl+C, select all on Ctrl+A and search on letters; the
    // grid does none of that, those keys stay with the owner.
    const bool navigation = key >= vk::Prior && key <= vk::Down;
    if (!navigation && key != vk::F2)
        return;
    const int qt = qtKey(key);
    if (qt == event->key()) {
        QTableView::keyPressEvent(event);
    } else {
        QKeyEvent replaced(QEvent::KeyPress, qt, event->modifiers());
        QTableView::keyPressEvent(&replaced);
    }
    event->accept();
}

void TCellEdi::typedCharacter(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    // Alt+letter is a menu key, not a character; Ctrl+Alt types (AltGr).
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier))
        return;
    // Delete carries DEL for Qt but types nothing; it reached the owner as "~".
    if (event->key() == Qt::Key_Delete)
        return;
    const bool ctrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    if (typeCharacters(event->text(), ctrl))
        event->accept();
}

void TCellEdi::inputMethodEvent(QInputMethodEvent* event)
{
    // Text an input method commits is typed like keys.
    keyHandled_ = false;
    if (!event->commitString().isEmpty())
        typeCharacters(event->commitString(), false);
    event->accept();
}

bool TCellEdi::typeCharacters(const QString& text, bool ctrl)
{
    bool used = false;
    const QList<uint> characters = text.toUcs4();
    for (uint character : characters) {
        // Ctrl+letter types the letter's control character (Ctrl+C is 3)
        // whether or not the platform already gave it that way.
        if (ctrl
            && ((character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z')))
            character &= 0x1F;
        // Any other key held with Ctrl (a digit, punctuation) types nothing,
        // as on the keyboards the program's keys were made for; AltGr
        // (Ctrl+Alt) is not this case.
        else if (ctrl && character >= 0x20)
            continue;
        const auto byte = character < 0x80
                              ? std::optional<unsigned char>(static_cast<unsigned char>(character))
                              : cp1250::fromUnicode(char32_t(character));
        if (!byte) {
            // Not in the code page: refused like any other unusable key,
            // and the owner told which.
            keyHandled_ = false;
            const char32_t lost = character;
            if (owner_ && lost > 0x20)
                owner_->charactersLost(*this, PozX(), PozY(),
                                       unmappableCharacters(QString::fromUcs4(&lost, 1)));
            continue;
        }
        unsigned char key = *byte;
        if (!keyHandled_ && binds(CellEdiEvent::OnAkcjaEdit)) {
            owner_->cellEdit(*this, PozX(), PozY(), key, kButtonKeyboard);
            used = true;
        }
        keyHandled_ = false;
        // The base grid's use of a character: Enter opens the in-place
        // editor (when its gate allows).
        if (key == '\r' && state() != QAbstractItemView::EditingState
            && edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr))
            used = true;
    }
    return used;
}

bool TCellEdi::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opens = trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger);
    if (!opens || !index.isValid() || state() == QAbstractItemView::EditingState)
        return QTableView::edit(index, trigger, event);
    const bool dozwolona = binds(CellEdiEvent::OnDozwolonaEdycja)
                           && owner_->editingAllowed(*this, index.column(), index.row());
    if (!dozwolona)
        return false;
    return QTableView::edit(index, trigger, event);
}

// ---- Mouse ------------------------------------------------------------------

void TCellEdi::mousePressEvent(QMouseEvent* event)
{
    swallowMouse_ = cellPress(event, false);
    if (!swallowMouse_)
        QTableView::mousePressEvent(event);
}

void TCellEdi::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like the first.
    swallowMouse_ = cellPress(event, true);
    if (!swallowMouse_)
        QTableView::mousePressEvent(event);
}

void TCellEdi::mouseMoveEvent(QMouseEvent* event)
{
    // A click on the current cell never starts a drag selection.
    if (swallowMouse_) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void TCellEdi::mouseReleaseEvent(QMouseEvent* event)
{
    if (swallowMouse_) {
        swallowMouse_ = false;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

bool TCellEdi::cellPress(QMouseEvent* event, bool doubleClick)
{
    const int button = buttonNumber(event->button());
    if (button == 0)
        return false;
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    // Beyond the last column or row there is no cell: nothing happens
    // (Qt would clear the selection).
    if (!index.isValid())
        return true;
    if (index != currentIndex())
        return false;
    setFocus(Qt::MouseFocusReason);
    const int x = index.column();
    const int y = index.row();
    // Each event asks afresh: a handler may have let the owner go.
    if (binds(CellEdiEvent::OnAkcja)) {
        std::uint32_t key = 0;
        owner_->cellAction(*this, x, y, key, button, mouseShiftState(event, doubleClick));
    }
    if (binds(CellEdiEvent::OnAkcjaEdit)) {
        unsigned char key = 0;
        owner_->cellEdit(*this, x, y, key, button);
    }
    if (binds(CellEdiEvent::OnMyszWOczkuAkcja)) {
        const QRect rect = visualRect(index);
        owner_->cellClicked(*this, x, y, point.x() - rect.left(), point.y() - rect.top(), button);
    }
    event->accept();
    return true;
}

void TCellEdi::headerPress(Qt::Orientation orientation, int section, QMouseEvent* event,
                           bool doubleClick)
{
    const int button = buttonNumber(event->button());
    if (button == 0)
        return;
    setFocus(Qt::MouseFocusReason);
    const TShiftState shift = mouseShiftState(event, doubleClick);
    const bool vertical = orientation == Qt::Vertical;
    if (binds(vertical ? CellEdiEvent::OnLeftInfoAkcja : CellEdiEvent::OnTopInfoAkcja)) {
        if (vertical)
            owner_->rowHeaderClicked(*this, section, button, shift);
        else
            owner_->columnHeaderClicked(*this, section, button, shift);
        return;
    }
    // Shift+click widens the selection from the current cell's row or
    // column; a plain click starts a new one there.
    if ((shift & ssShift) == 0) {
        if (vertical)
            setCurrentCell(PozX(), section);
        else
            setCurrentCell(section, PozY());
    }
    extendHeaderSelection(orientation, section);
}

void TCellEdi::extendHeaderSelection(Qt::Orientation orientation, int section)
{
    const bool vertical = orientation == Qt::Vertical;
    if (binds(vertical ? CellEdiEvent::OnLeftInfoAkcja : CellEdiEvent::OnTopInfoAkcja))
        return;
    const int anchor = vertical ? PozY() : PozX();
    const int first = std::min(anchor, section) + 1;
    const int last = std::max(anchor, section) + 1;
    if (vertical)
        selectRange({1, first, Ilx(), last});
    else
        selectRange({first, 1, last, Ily()});
}

void TCellEdi::cornerPress(QMouseEvent* event, bool doubleClick)
{
    const int button = buttonNumber(event->button());
    if (button == 0)
        return;
    setFocus(Qt::MouseFocusReason);
    if (binds(CellEdiEvent::OnLeftTopAkcja)) {
        owner_->cornerClicked(*this, button, mouseShiftState(event, doubleClick));
        return;
    }
    selectRange({1, 1, Ilx(), Ily()});
    Odswiez();
}

void TCellEdi::paintCorner(QWidget* corner)
{
    QPainter painter(corner);
    const QRect rect = corner->rect();
    painter.setFont(font());
    painter.setPen(Qt::black);
    CellState state;
    state.fixed = true;
    paintCell(*this, painter, 0, 0, rect.adjusted(0, 0, -1, -1), state, ColouringMode::AsOnScreen,
              PaintTarget::Screen);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), Qt::black);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), Qt::black);
}

bool TCellEdi::eventFilter(QObject* watched, QEvent* event)
{
    // The window syncs its screen now: the report goes first, before any
    // widget of the window paints.
    if (watched == watchedWindow_ && event->type() == QEvent::UpdateRequest && reportPending_)
        reportCellChange();
    if (watched == corner_ && corner_ != nullptr) {
        switch (event->type()) {
        case QEvent::Paint: paintCorner(corner_); return true;
        case QEvent::MouseButtonPress:
            cornerPress(static_cast<QMouseEvent*>(event), false);
            return true;
        case QEvent::MouseButtonDblClick:
            cornerPress(static_cast<QMouseEvent*>(event), true);
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove: return true;  // Qt's corner button would select all on release
        default: break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace wykazki
