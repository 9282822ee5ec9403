// Qt's own texts are Polish whatever the desktop's language: the application
// object loads Qt's translation as it starts.

#include "windows/qtdialogs.h"
#include "windows/wykazkiapplication.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace wykazki {

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

// What Qt's catalogue leaves in English in the print and file dialogs.
struct QtText {
    const char* context;
    const char* source;
    const char* polish;
};

class PolishGaps : public ::testing::TestWithParam<QtText> {};

TEST_P(PolishGaps, theProgramFillsThem)
{
    if (!WykazkiApplication::loadPolishQtTexts(*QCoreApplication::instance()))
        GTEST_SKIP() << "Qt's Polish translation is not installed";
    EXPECT_EQ(QCoreApplication::translate(GetParam().context, GetParam().source),
              QString::fromUtf8(GetParam().polish));
}

INSTANTIATE_TEST_SUITE_P(
    PrintAndFileDialogs, PolishGaps,
    ::testing::Values(QtText{"QPrintSettingsOutput", "Pages", "Strony"},
                      QtText{"QPrintSettingsOutput", "Double Sided Printing", "Druk dwustronny"},
                      QtText{"QPrintPropertiesWidget", "Advanced", "Zaawansowane"},
                      QtText{"QAbstractFileIconProvider", "Drive", "Napęd"},
                      // Translated by Qt itself: left as Qt says it.
                      QtText{"QPrintPropertiesWidget", "Page", "Strona"}));

// The font dialog keeps the style names of the font files, which it finds
// styles by; the names of writing systems are Polish.
TEST(PolishFontDialog, stylesKeepTheirNamesWritingSystemsArePolish)
{
    if (!WykazkiApplication::loadPolishQtTexts(*QCoreApplication::instance()))
        GTEST_SKIP() << "Qt's Polish translation is not installed";
    for (const char* style : {"Bold", "Italic", "Normal", "Demi Bold"})
        EXPECT_EQ(QCoreApplication::translate("QFontDatabase", style), QLatin1String(style));
    EXPECT_NE(QCoreApplication::translate("QFontDatabase", "Any"), QStringLiteral("Any"));
    EXPECT_NE(QCoreApplication::translate("QFontDatabase", "Latin"), QStringLiteral("Latin"));
}

// A choice's Yes, No, OK and Cancel are Qt's own buttons, so that their
// texts come from Qt's translation; the program's own labels stay.
TEST(PolishButtons, choicesUseQtsOwnButtonsWhereThereIsOne)
{
    const struct {
        const char* label;
        QMessageBox::StandardButton button;
    } cases[] = {
        {"&Tak", QMessageBox::Yes},
        {"Tak", QMessageBox::Yes},
        {"&Nie", QMessageBox::No},
        {"OK", QMessageBox::Ok},
        {"Anuluj", QMessageBox::Cancel},
        {"Zapisz pod nową nazwą", QMessageBox::NoButton},
        {"Pomiń istniejące", QMessageBox::NoButton},
        {"&Usuń skan", QMessageBox::NoButton},
    };
    for (const auto& c : cases)
        EXPECT_EQ(standardButtonOf(QString::fromUtf8(c.label)), c.button) << c.label;
}

TEST(PolishNumbers, theDecimalCommaWhateverTheDesktop)
{
    EXPECT_EQ(QLocale().toString(4.5, 'f', 2), QStringLiteral("4,50"));
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
}

// Qt's file list writes sizes and dates in the desktop's language; the file
// dialog's model shows them the Polish way whatever LANG says.
TEST(PolishFileDialog, sizesAndDatesThePolishWay)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("3a.wkz")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1500, 'x'));
    ASSERT_TRUE(file.flush());
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6)),
                                 QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("klasy")));

    QFileSystemModel files;
    PolishFileDetails details;
    details.setSourceModel(&files);
    bool loaded = false;
    QObject::connect(&files, &QFileSystemModel::directoryLoaded, &files,
                     [&loaded] { loaded = true; });
    const QModelIndex root = files.setRootPath(folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded && files.rowCount(root) == 2; }));

    const QModelIndex card = details.mapFromSource(files.index(file.fileName()));
    EXPECT_EQ(details.index(card.row(), 1, card.parent()).data().toString(),
              QStringLiteral("1,46 KiB"));
    EXPECT_EQ(details.index(card.row(), 3, card.parent()).data().toString(),
              QStringLiteral("4.03.2026 05:06"));
    EXPECT_EQ(details.index(card.row(), 0, card.parent()).data().toString(),
              QStringLiteral("3a.wkz"));
    // A folder keeps Qt's own (empty) size.
    const QModelIndex sub = files.index(folder.filePath(QStringLiteral("klasy")));
    EXPECT_EQ(details.mapFromSource(sub.siblingAtColumn(1)).data(), sub.siblingAtColumn(1).data());
}

}  // namespace

}  // namespace wykazki
