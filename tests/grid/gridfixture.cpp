#include "gridfixture.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>

namespace wykazki {

void GridFixture::SetUp()
{
    window_ = std::make_unique<QWidget>();
    window_->resize(640, 400);
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    grid_ = new TCellEdi(window_.get());
    grid_->setOwner(&owner_);
    layout->addWidget(grid_);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    grid_->setFocus();
    QApplication::processEvents();
}

void GridFixture::TearDown()
{
    window_.reset();
}

void GridFixture::bindAll()
{
    HandlerOwner& g = owner();
    auto add = [this](std::string line) { log.push_back(std::move(line)); };
    auto cellText = [this](int x, int y) {
        const auto it = cells.find({x, y});
        return it == cells.end() ? std::string() : it->second;
    };
    g.OnLeftInfo = [](TCellEdi&, int poz, TTekstOczka& ato) {
        ato.tekst[0] = "L" + std::to_string(poz);
    };
    g.OnTopInfo = [](TCellEdi&, int poz, TTekstOczka& ato) {
        ato.tekst[0] = "T" + std::to_string(poz);
    };
    g.OnOczko = [cellText](TCellEdi&, int x, int y, TTekstOczka& ato) {
        ato.tekst[0] = cellText(x, y);
    };
    g.OnGrafOczko = [](TCellEdi&, QPainter&, int, int, int, int) {};
    g.OnZmianaKomorki = [add](TCellEdi&, int oldx, int oldy) {
        add("ZmianaKomorki " + std::to_string(oldx) + "," + std::to_string(oldy));
    };
    g.OnAkcja = [this, add](TCellEdi&, int x, int y, std::uint32_t& key, int button,
                            TShiftState shift) {
        add("Akcja " + std::to_string(x) + "," + std::to_string(y) + " key=" + std::to_string(key)
            + " b=" + std::to_string(button) + " s=" + std::to_string(shift));
        if (akcjaHook)
            akcjaHook(key);
    };
    g.OnAkcjaEdit = [this, add](TCellEdi&, int x, int y, unsigned char& key, int button) {
        add("AkcjaEdit " + std::to_string(x) + "," + std::to_string(y)
            + " key=" + std::to_string(key) + " b=" + std::to_string(button));
        if (akcjaEditHook)
            akcjaEditHook(key);
    };
    g.OnMyszWOczkuAkcja = [add](TCellEdi&, int x, int y, int xm, int ym, int button) {
        add("Mysz " + std::to_string(x) + "," + std::to_string(y) + " at " + std::to_string(xm)
            + "," + std::to_string(ym) + " b=" + std::to_string(button));
    };
    g.OnLeftTopAkcja = [add](TCellEdi&, int button, TShiftState shift) {
        add("LeftTopAkcja b=" + std::to_string(button) + " s=" + std::to_string(shift));
    };
    g.OnLeftInfoAkcja = [add](TCellEdi&, int poz, int button, TShiftState) {
        add("LeftInfoAkcja " + std::to_string(poz) + " b=" + std::to_string(button));
    };
    g.OnTopInfoAkcja = [add](TCellEdi&, int poz, int button, TShiftState) {
        add("TopInfoAkcja " + std::to_string(poz) + " b=" + std::to_string(button));
    };
    g.OnDozwolonaEdycja = [this, add](TCellEdi&, int x, int y, bool& dozwolona) {
        add("DozwolonaEdycja " + std::to_string(x) + "," + std::to_string(y));
        dozwolona = allowEditing;
    };
    g.OnStartEdycji = [this, add](TCellEdi&, int x, int y, std::string& txt) {
        add("StartEdycji " + std::to_string(x) + "," + std::to_string(y));
        txt = startText;
    };
    g.OnMaskaEdycji = [add](TCellEdi&, int x, int y, std::string&) {
        add("MaskaEdycji " + std::to_string(x) + "," + std::to_string(y));
    };
    g.OnEdycja = [add](TCellEdi&, int x, int y, std::string& txt) {
        add("Edycja " + std::to_string(x) + "," + std::to_string(y) + " " + txt);
    };
    g.OnOczkoToClipboard = [cellText](TCellEdi&, int x, int y, std::string& txt) {
        txt = cellText(x, y);
    };
    g.OnClipboardToOczko = [add](TCellEdi&, int x, int y, std::string& txt) {
        add("ClipboardToOczko " + std::to_string(x) + "," + std::to_string(y) + " " + txt);
    };
    g.OnToTxtFile = [add](TCellEdi&, std::string&, int&, int&, int&, int&) { add("ToTxtFile"); };
}

void GridFixture::paintNow()
{
    QApplication::processEvents();
    grid().viewport()->repaint();
}

void GridFixture::clickCell(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                            int dx, int dy)
{
    const QRect rect = grid().cellRect(x + 1, y + 1);
    ASSERT_TRUE(grid().viewport()->rect().contains(rect))
        << "cell " << x << "," << y << " is not visible";
    QTest::mouseClick(grid().viewport(), button, modifiers, rect.topLeft() + QPoint(dx, dy));
}

void GridFixture::pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&grid(), key, modifiers);
}

void GridFixture::typeText(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QTest::sendKeyEvent(QTest::Click, &grid(), key, text, modifiers);
}

std::vector<std::string> GridFixture::takeLog()
{
    return std::exchange(log, {});
}

std::vector<std::string> withoutModifierKeys(const std::vector<std::string>& log)
{
    std::vector<std::string> out;
    for (const auto& line : log) {
        const bool modifierKey = line.starts_with("Akcja ")
                                 && (line.find(" key=16 ") != std::string::npos
                                     || line.find(" key=17 ") != std::string::npos
                                     || line.find(" key=18 ") != std::string::npos);
        if (!modifierKey)
            out.push_back(line);
    }
    return out;
}

}  // namespace wykazki
