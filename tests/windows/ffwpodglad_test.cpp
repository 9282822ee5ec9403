// The preview window: sized and scaled to the screen, the page drawn over
// the millimetre grid at the stored scale, and closed by a click or any key.
// Every modal showing is answered from a timer; a guard closes a window
// that did not close by itself, so a failing test never blocks.

#include "windowtestclass.h"

#include "print/units.h"
#include "windows/ffwpodglad.h"
#include "windows/previewgeometry.h"

#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace wykazki {

namespace {

constexpr int kGuardMs = 5000;

struct Showing {
    bool shown = false;
    bool closedByGuard = false;
    QSize clientSize;
    QImage picture;
};

// Opens the preview and runs `answer` once it is up; what the window showed
// is recorded before the answer.
Showing showPreview(Tffwpodglad& window, const Document& doc, int pupil, int page,
                    const std::function<void()>& answer)
{
    Showing showing;
    QTimer::singleShot(0, &window, [&] {
        showing.shown = window.isVisible();
        showing.clientSize = window.size();
        showing.picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        answer();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &window, [&] {
        if (window.isVisible()) {
            showing.closedByGuard = true;
            window.reject();
        }
    });
    guard.start(kGuardMs);
    window.preview(doc, pupil, page);
    return showing;
}

class Preview : public ::testing::Test {
protected:
    Document doc_ = WindowTestClass::make({"Adam", "Basia"});
    Tffwpodglad window_{"/nie-ma-takiego-folderu/"};
};

TEST_F(Preview, clickCloses_afterShowingThePupilAndPageAtTheScreensSize)
{
    const Showing s =
        showPreview(window_, doc_, 1, 2, [&] { QTest::mouseClick(&window_, Qt::LeftButton); });
    EXPECT_TRUE(s.shown);
    EXPECT_FALSE(s.closedByGuard);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(window_.pupil(), 1);
    EXPECT_EQ(window_.page(), 2);

    const PreviewGeometry expected =
        previewGeometry(doc_.options().width, doc_.options().height, surfacePixelsPerInch(window_),
                        window_.screen()->size());
    EXPECT_EQ(s.clientSize, expected.clientSize);
    EXPECT_EQ(window_.scale(), expected.scale);
}

TEST_F(Preview, anyKeyCloses)
{
    for (Qt::Key key :
         {Qt::Key_A, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F1}) {
        const Showing s = showPreview(window_, doc_, 0, 0, [&] { QTest::keyClick(&window_, key); });
        EXPECT_TRUE(s.shown) << key;
        EXPECT_FALSE(s.closedByGuard) << key;
    }
}

TEST_F(Preview, aPupilOutsideTheList_showsNothing)
{
    for (int pupil : {-1, 2}) {
        const Showing s = showPreview(window_, doc_, pupil, 0, [] {});
        EXPECT_FALSE(s.shown) << pupil;
        EXPECT_FALSE(s.closedByGuard) << pupil;
    }
}

// The grid and the page are drawn at the stored scale: on the offscreen
// screen an A4 sheet does not fit, so both are shrunk.
TEST_F(Preview, drawsGridAndPageAtTheStoredScale)
{
    // Red, to tell it from the grid.
    editContents(doc_, [](ClassFileContents& c) {
        c.phrases[WindowTestClass::kNamePhrase].fontColor = 0x0000FF;
    });
    const Showing s = showPreview(window_, doc_, 0, 0, [&] { window_.accept(); });
    ASSERT_TRUE(s.shown);
    const double scale = window_.scale();
    ASSERT_LT(scale, 1.0);
    const int dpi = surfacePixelsPerInch(window_);
    const QImage& img = s.picture;
    ASSERT_EQ(img.size(), s.clientSize);

    // Grid lines at 10 mm (light grey) and 50 mm (grey), looked at 15 mm
    // down: between two horizontal lines and above the text.
    const int y = static_cast<int>(mmToPixels(dpi, 15) * scale);
    const int x10 = static_cast<int>(mmToPixels(dpi, 10) * scale);
    const int x50 = static_cast<int>(mmToPixels(dpi, 50) * scale);
    EXPECT_EQ(img.pixelColor(x10, y), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(x50, y), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(x10 + 1, y), QColor(Qt::white));

    // The pupil's name in red, starting at x0 = 20 mm scaled, above its
    // base line y0 = 30 mm scaled.
    const int left = static_cast<int>(mmToPixels(dpi, 20) * scale);
    const int baseLine = static_cast<int>(mmToPixels(dpi, 30) * scale);
    int redLeft = img.width(), redBottom = -1;
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) {
            const QColor c = img.pixelColor(px, py);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100) {
                redLeft = std::min(redLeft, px);
                redBottom = std::max(redBottom, py);
            }
        }
    ASSERT_GE(redBottom, 0) << "the name was not drawn";
    EXPECT_NEAR(redLeft, left, 3);
    EXPECT_LE(redBottom, baseLine);
    EXPECT_GT(redBottom, baseLine - 15);
}

}  // namespace

}  // namespace wykazki
