// The help window over the compiled help, F1 in the windows, and the help
// contexts every window carries.

#include "windowfixture.h"

#include "help/helpbrowser.h"
#include "help/helpcontext.h"
#include "help/helpwindow.h"
#include "windows/ffwopis.h"
#include "windows/ffwrozmn.h"

#include <QPlainTextEdit>

#include <QApplication>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// A program folder holding the compiled help of the build.
class HelpTest : public WindowTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"Wyka.qhc", "Wyka.qch"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(WYKAZKI_BIN_DIR "/") + QLatin1String(name),
                                    folder.filePath(QLatin1String(name))));
        WindowTest::SetUp();
    }
    HelpWindow& help() { return context->helpWindow(); }
    QString topic() { return help().currentTopic().fileName(); }
};

TEST_F(HelpTest, everyHelpContextOfEveryWindowHasATopic)
{
    ASSERT_TRUE(help().isAvailable());
    QSet<int> used(std::begin(helpcontext::kAll), std::end(helpcontext::kAll));
    for (const QWidget* w : QApplication::allWidgets()) {
        const QVariant number = w->property(helpcontext::kProperty);
        if (number.isValid())
            used.insert(number.toInt());
    }
    EXPECT_GE(used.size(), 8);
    for (const int number : used)
        EXPECT_FALSE(help().topicOf(number).isEmpty()) << number;
    EXPECT_TRUE(help().topicOf(12345).isEmpty());
}

TEST_F(HelpTest, everyTopicIsReachableFromTheContents)
{
    QHelpContentModel* model = help().engine().contentModel();
    ASSERT_TRUE(
        QTest::qWaitFor([model] { return !model->isCreatingContents() && model->rowCount() > 0; }));
    QSet<QString> listed;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            listed.insert(model->contentItemAt(index)->url().fileName());
            walk(index);
        }
    };
    walk({});
    const QList<QUrl> files = help().engine().files(QStringLiteral("pl.wykazki.pomoc"), QString(),
                                                    QStringLiteral("html"));
    ASSERT_GE(files.size(), 12);
    for (const QUrl& file : files)
        EXPECT_TRUE(listed.contains(file.fileName())) << file.toString().toStdString();
}

TEST_F(HelpTest, menuCommandsAndF1OpenTheirTopics)
{
    start();
    window().findChild<QAction*>(QStringLiteral("Spistreci1"))->trigger();
    EXPECT_TRUE(help().isVisible());
    EXPECT_EQ(topic(), QStringLiteral("index.html"));
    EXPECT_FALSE(help().browser().toPlainText().isEmpty());

    // The topic's style sheet comes out of the compiled help too.
    const QTextCharFormat heading = help().browser().document()->begin().charFormat();
    EXPECT_EQ(heading.foreground().color(), QColor(0, 0, 128));

    window().findChild<QAction*>(QStringLiteral("Jakszuka1"))->trigger();
    EXPECT_EQ(topic(), QStringLiteral("pomoc.html"));

    const struct {
        QWidget* where;
        const char* topic;
    } cases[] = {
        {&grid(), "glowne.html"},
        {&context->opis().memo(), "edytorek.html"},
        {&context->perTeacherFiles(), "rozmnoz.html"},
        {&help().searchField(), "index.html"},  // no context of its own
    };
    for (const auto& c : cases) {
        QTest::keyClick(c.where, Qt::Key_F1);
        EXPECT_EQ(topic(), QLatin1String(c.topic));
    }
    // Back and forward walk the topics seen.
    help().backAction().trigger();
    EXPECT_EQ(topic(), QStringLiteral("rozmnoz.html"));
    help().forwardAction().trigger();
    EXPECT_EQ(topic(), QStringLiteral("index.html"));
}

TEST_F(HelpTest, indexFindsPartOfAKeyword)
{
    window().findChild<QAction*>(QStringLiteral("Wyszukaj1"))->trigger();
    EXPECT_EQ(help().tabs().currentIndex(), 1);
    EXPECT_TRUE(help().searchField().text().isEmpty());
    QHelpIndexModel* model = help().engine().indexModel();
    ASSERT_TRUE(
        QTest::qWaitFor([model] { return !model->isCreatingIndex() && model->rowCount() > 0; }));

    QTest::keyClicks(&help().searchField(), QStringLiteral("klasyfik"));
    const QModelIndex current = help().engine().indexWidget()->currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_EQ(current.data().toString(), QStringLiteral("Nieklasyfikowany"));
    QTest::keyClick(&help().searchField(), Qt::Key_Return);
    EXPECT_EQ(topic(), QStringLiteral("oceny.html"));
}

TEST(HelpWindowAlone, aMissingHelpFileIsSaidInTheWindow)
{
    HelpWindow help(QStringLiteral("/nonexistent/Wyka.qhc"));
    EXPECT_FALSE(help.isAvailable());
    help.showContext(helpcontext::kMainWindow);
    EXPECT_TRUE(help.browser().toPlainText().contains(QStringLiteral("Nie można otworzyć pomocy")));
    help.close();
}

}  // namespace
