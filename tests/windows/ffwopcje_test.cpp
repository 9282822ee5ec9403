// The print options window: the spin boxes' key filter and ranges, the
// wordings written back in Windows-1250, and every way of closing keeping
// the edits. The modal window is driven from a timer; a guard closes it if
// a test's own way of closing failed, so nothing is left blocking.

#include "windowtestclass.h"

#include "windows/ffwopcje.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace wykazki {

namespace {

constexpr int kGuardMs = 5000;

struct Editing {
    bool closedByGuard = false;
};

// editOptions() with `actions` run once the window is up.
Editing editWith(Tffwopcje& window, TOpcje& options, const std::function<void()>& actions)
{
    Editing editing;
    QTimer::singleShot(0, &window, actions);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &window, [&] {
        if (window.isVisible()) {
            editing.closedByGuard = true;
            window.reject();
        }
    });
    guard.start(kGuardMs);
    window.editOptions(options);
    return editing;
}

// Types text one character at a time, as the keyboard delivers it (key
// press with the character's text, then release). QTest::keyClicks cannot
// type characters outside Latin-1.
void type(QWidget& box, const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const int key = character.toUpper().at(0).unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, character);
        QApplication::sendEvent(&box, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, character);
        QApplication::sendEvent(&box, &release);
    }
}

// Selects the box's whole text and types over it.
void retype(QWidget& box, const QString& text)
{
    box.setFocus();
    if (auto* spin = qobject_cast<QSpinBox*>(&box))
        spin->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(&box))
        edit->selectAll();
    type(box, text);
}

class OptionsWindow : public ::testing::Test {
protected:
    Tffwopcje window_;
    TOpcje options_;
};

// The notes name the keys the grid really takes, with Polish punctuation.
TEST_F(OptionsWindow, notesNameTheKeysTheGridTakes)
{
    QStringList notes;
    for (const QLabel* label : window_.findChildren<QLabel*>())
        if (label->wordWrap())
            notes << label->text();
    const QString all = notes.join(QLatin1Char('\n'));
    for (const char* wanted :
         {"Klawisze 1–6 ", "Klawisze A–D ", "Klawisze Ctrl+0 … Ctrl+9 ", "„Nie ma przedmiotu”."})
        EXPECT_TRUE(all.contains(QString::fromUtf8(wanted))) << wanted;
    for (const char* wrong : {"Klawisze 0 - 9", "1- 6", "A ...D", "...."})
        EXPECT_FALSE(all.contains(QString::fromUtf8(wrong))) << wrong;
}

// The proof print's buttons reach the program, and the calibration page
// gets the shift as the window shows it, before it is closed.
TEST_F(OptionsWindow, scanButtonsAndCalibrationUseTheProgramsHooks)
{
    std::array<QString, 4> names{QString(), QStringLiteral("skany/s2.png")};
    std::vector<int> chosen;
    std::optional<TOpcje> calibrated;
    window_.setProofHooks({
        [&names](int page) { return names.at(static_cast<std::size_t>(page)); },
        [&](int page) {
            chosen.push_back(page);
            names.at(static_cast<std::size_t>(page)) = QStringLiteral("nowy.jpg");
        },
        [&calibrated](const TOpcje& o) { calibrated = o; },
    });
    EXPECT_TRUE(window_.scansButton().isEnabled());
    EXPECT_EQ(window_.scanAction(0).text(), QStringLiteral("Skan formularza, strona 1… (brak)"));
    EXPECT_EQ(window_.scanAction(1).text(), QStringLiteral("Skan formularza, strona 2… (s2.png)"));
    window_.scanAction(3).trigger();
    EXPECT_EQ(chosen, std::vector<int>{3});
    EXPECT_EQ(window_.scanAction(3).text(),
              QStringLiteral("Skan formularza, strona 4… (nowy.jpg)"));

    options_.left = 0;
    editWith(window_, options_, [&] {
        retype(window_.spinEdit(3), QStringLiteral("7"));
        window_.calibrationButton().click();
        QTest::keyClick(&window_.spinEdit(3), Qt::Key_Return);
    });
    ASSERT_TRUE(calibrated.has_value());
    EXPECT_EQ(calibrated->left, 7);
    EXPECT_EQ(options_.left, 7);
}

TEST_F(OptionsWindow, offsetBox_refusesMinusButTheDownArrowReachesMinus50AndStops)
{
    QString afterMinus;
    const Editing e = editWith(window_, options_, [&] {
        QSpinBox& left = window_.spinEdit(3);
        retype(left, QStringLiteral("-"));
        afterMinus = left.text();
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(&left, Qt::Key_Down);
        QTest::keyClick(&left, Qt::Key_Return);
    });
    EXPECT_FALSE(e.closedByGuard);
    EXPECT_EQ(afterMinus, QStringLiteral("0"));
    EXPECT_EQ(options_.left, -50);
}

TEST_F(OptionsWindow, spinBoxes_takeAtMostThreeDigitsAndNothingButDigits)
{
    const Editing e = editWith(window_, options_, [&] {
        retype(window_.spinEdit(4), QStringLiteral("1x2.3a4"));  // only "123" gets in
        retype(window_.spinEdit(1), QStringLiteral("4567"));     // the fourth digit is refused
        QTest::keyClick(&window_.spinEdit(1), Qt::Key_Return);
    });
    EXPECT_FALSE(e.closedByGuard);
    EXPECT_EQ(options_.top, 123);
    EXPECT_EQ(options_.width, 456);
}

TEST_F(OptionsWindow, sheetSizeOutside100To500_cannotBeEntered)
{
    options_.width = 210;
    options_.height = 297;
    QString heightText;
    const Editing e = editWith(window_, options_, [&] {
        retype(window_.spinEdit(1), QStringLiteral("99"));   // below 100: left unfinished
        retype(window_.spinEdit(2), QStringLiteral("600"));  // above 500: the last 0 is refused
        heightText = window_.spinEdit(2).text();
        window_.koniecButton().click();
    });
    EXPECT_FALSE(e.closedByGuard);
    EXPECT_EQ(heightText, QStringLiteral("60"));
    EXPECT_EQ(options_.width, 210);  // the unfinished number falls back to the last good one
    EXPECT_EQ(options_.height, 297);

    options_.width = 500;
    const Editing up = editWith(window_, options_, [&] {
        QTest::keyClick(&window_.spinEdit(1), Qt::Key_Up);
        window_.koniecButton().click();
    });
    EXPECT_FALSE(up.closedByGuard);
    EXPECT_EQ(options_.width, 500);
}

// The same edits closed in every way the window offers give the same options.
TEST_F(OptionsWindow, everyWayOfClosing_keepsTheEditsExactlyLikeKoniec)
{
    struct Way {
        const char* name;
        std::function<void(Tffwopcje&)> close;
    };
    const Way ways[] = {
        {"Koniec", [](Tffwopcje& w) { QTest::mouseClick(&w.koniecButton(), Qt::LeftButton); }},
        {"close box", [](Tffwopcje& w) { w.close(); }},
        {"Enter in a wording", [](Tffwopcje& w) { QTest::keyClick(&w.edit(5), Qt::Key_Return); }},
        {"Enter on the keypad in a spin box",
         [](Tffwopcje& w) { QTest::keyClick(&w.spinEdit(2), Qt::Key_Enter); }},
        {"Enter on the window", [](Tffwopcje& w) { QTest::keyClick(&w, Qt::Key_Return); }},
    };

    std::optional<TOpcje> first;
    for (const Way& way : ways) {
        Tffwopcje window;
        TOpcje options;
        options.wordings[20] = "\x81\x98 bajty bez znaku";  // unassigned bytes survive untouched
        const Editing e = editWith(window, options, [&] {
            retype(window.spinEdit(1), QStringLiteral("250"));
            retype(window.edit(1), QStringLiteral("Niedost."));
            retype(window.edit(12), QStringLiteral("zachowanie wzorowe, ąę"));
            retype(window.edit(7), QStringLiteral("brak ☺ Жж przedmiotu"));  // not in Windows-1250
            way.close(window);
        });
        EXPECT_FALSE(e.closedByGuard) << way.name;
        EXPECT_EQ(options.width, 250) << way.name;
        EXPECT_EQ(options.wordings[0], "Niedost.") << way.name;
        EXPECT_EQ(options.wordings[11], cp1250Of("zachowanie wzorowe, ąę")) << way.name;
        EXPECT_EQ(options.wordings[6], "brak   przedmiotu") << way.name;
        EXPECT_EQ(options.wordings[20], "\x81\x98 bajty bez znaku") << way.name;
        EXPECT_EQ(options.wordings[1], cp1250Of("Dopuszczający")) << way.name;
        if (!first)
            first = options;
        else
            EXPECT_EQ(options, *first) << way.name;
    }
}

TEST_F(OptionsWindow, escapeDoesNotClose)
{
    bool openAfterEscape = false;
    const Editing e = editWith(window_, options_, [&] {
        QTest::keyClick(&window_.edit(3), Qt::Key_Escape);
        QTest::keyClick(&window_, Qt::Key_Escape);
        openAfterEscape = window_.isVisible();
        window_.koniecButton().click();
    });
    EXPECT_FALSE(e.closedByGuard);
    EXPECT_TRUE(openAfterEscape);
}

TEST_F(OptionsWindow, showsLoadedValuesAndTheKoniecGlyph)
{
    options_.width = 180;
    options_.left = -7;
    options_.wordings[13] = cp1250Of("ocena śródroczna");
    QString shownWording;
    int shownLeft = 0;
    editWith(window_, options_, [&] {
        shownWording = window_.edit(14).text();
        shownLeft = window_.spinEdit(3).value();
        window_.close();
    });
    EXPECT_EQ(shownWording, QStringLiteral("ocena śródroczna"));
    EXPECT_EQ(shownLeft, -7);
    EXPECT_EQ(window_.size(), QSize(657, 409));
    EXPECT_FALSE(window_.koniecButton().icon().isNull());
}

}  // namespace

}  // namespace wykazki
