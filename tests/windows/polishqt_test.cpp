// Qt's own texts are Polish whatever the desktop's language: the application
// object loads Qt's translation as it starts.

#include "windows/wykazkiapplication.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct ButtonText {
    QDialogButtonBox::StandardButton button;
    const char* polish;
};

class PolishButtons : public ::testing::TestWithParam<ButtonText> {};

TEST_P(PolishButtons, standardButtonsReadPolish)
{
    if (!WykazkiApplication::loadPolishQtTexts(*QCoreApplication::instance()))
        GTEST_SKIP() << "Qt's Polish translation is not installed";
    QDialogButtonBox box(GetParam().button);
    ASSERT_NE(box.button(GetParam().button), nullptr);
    EXPECT_EQ(box.button(GetParam().button)->text(), QString::fromUtf8(GetParam().polish));
}

INSTANTIATE_TEST_SUITE_P(Qt, PolishButtons,
                         ::testing::Values(ButtonText{QDialogButtonBox::Yes, "&Tak"},
                                           ButtonText{QDialogButtonBox::No, "&Nie"},
                                           ButtonText{QDialogButtonBox::Cancel, "Anuluj"},
                                           ButtonText{QDialogButtonBox::Close, "Zamknij"},
                                           ButtonText{QDialogButtonBox::Apply, "Zastosuj"},
                                           ButtonText{QDialogButtonBox::Save, "Zachowaj"}));

TEST(PolishNumbers, theDecimalCommaWhateverTheDesktop)
{
    EXPECT_EQ(QLocale().toString(4.5, 'f', 2), QStringLiteral("4,50"));
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
}

}  // namespace
