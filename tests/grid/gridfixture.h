#pragma once
// A test window hosting one TCellEdi with every event recorded, and the
// helpers that drive it with real key and mouse events.

#include "grid/celledi.h"
#include "handlerowner.h"

#include <QHeaderView>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace wykazki {

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TCellEdi& grid() { return *grid_; }
    // The grid's owner: an event is bound while its handler is set.
    HandlerOwner& owner() { return owner_; }

    // Binds every event: the painting events answer from `cells`, the
    // others append a line to `log` (and run the hooks below, if set).
    void bindAll();

    // Paints the viewport now, as the window system would.
    void paintNow();
    // Mouse on data cell (x, y) at offset (dx, dy) from its top-left.
    void clickCell(int x, int y, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = {}, int dx = 3, int dy = 3);
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // A key press carrying text, as a keyboard layout delivers it.
    void typeText(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = {});

    // The log so far, emptied.
    std::vector<std::string> takeLog();

    std::vector<std::string> log;
    std::map<std::pair<int, int>, std::string> cells;  // OnOczko / OnOczkoToClipboard texts
    std::function<void(std::uint32_t& key)> akcjaHook;
    std::function<void(unsigned char& key)> akcjaEditHook;
    bool allowEditing = false;  // OnDozwolonaEdycja's answer
    std::string startText;      // OnStartEdycji's answer

private:
    HandlerOwner owner_;
    std::unique_ptr<QWidget> window_;
    TCellEdi* grid_ = nullptr;
};

// Lines with the modifier keys' own key-down events (Shift, Ctrl, Alt) removed.
std::vector<std::string> withoutModifierKeys(const std::vector<std::string>& log);

}  // namespace wykazki
