// The help window over the compiled help, F1 in the windows, and the help
// contexts every window carries.

#include "windowfixture.h"

#include "help/helpbrowser.h"
#include "help/helpcontext.h"
#include "help/helpwindow.h"
#include "richtext/rtfreader.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwopcje.h"
#include "windows/ffwopis.h"
#include "windows/ffwrozmn.h"
#include "windows/keyscheme.h"

#include <QPlainTextEdit>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>

namespace wykazki {

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
        // The window itself, to look inside it; the program opens it from
        // the help module (HelpModule below).
        context->setHelpFactory(
            [](const QString& collection) { return std::make_unique<HelpWindow>(collection); });
    }
    HelpWindow& help() { return dynamic_cast<HelpWindow&>(context->helpWindow()); }
    QString topic() { return help().currentTopic().fileName(); }
};

// The program's own way: the window comes from the help module, with the
// compiled help of the program folder.
class HelpModule : public HelpTest {
protected:
    void SetUp() override
    {
        HelpTest::SetUp();
        context->setHelpFactory(nullptr);
    }
};

TEST_F(HelpModule, F1OpensTheTopicOfTheWindowFromTheModule)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QTest::keyClick(&window(), Qt::Key_F1);
    QWidget& shown = context->helpWindow().widget();
    EXPECT_TRUE(shown.isVisible());
    EXPECT_STREQ(shown.metaObject()->className(), "wykazki::HelpWindow");
    const auto* browser = shown.findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->toPlainText().trimmed().isEmpty());
    EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("niedostępna")));
    shown.close();
}

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

// Clicks the first link of the shown topic whose target ends with `file`.
bool clickLink(QTextBrowser& browser, const QString& file)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor()
                || !fragment.charFormat().anchorHref().endsWith(file))
                continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + 1);
            browser.ensureCursorVisible();
            const QPoint at = browser.cursorRect(cursor).center();
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    return false;
}

// Receives what the help hands to the desktop's browser.
class DesktopBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

TEST_F(HelpTest, linksInATopicOpenTopicsInTheWindowAndTheWebOutside)
{
    DesktopBrowser desktop;
    for (const char* scheme : {"http", "https", "qthelp"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &desktop, "open");
    help().showContext(helpcontext::kMainWindow);
    help().browser().setSource(
        help().contentsTopic().resolved(QUrl(QStringLiteral("drukowanie.html"))));
    ASSERT_TRUE(clickLink(help().browser(), QStringLiteral("frazy.html")));
    EXPECT_EQ(topic(), QStringLiteral("frazy.html"));
    EXPECT_TRUE(help().browser().toPlainText().contains(QStringLiteral("Elementy")));
    EXPECT_TRUE(help().backAction().isEnabled());

    help().browser().setHtml(QStringLiteral("<p><a href=\"https://example.org/x\">www</a></p>"));
    ASSERT_TRUE(clickLink(help().browser(), QStringLiteral("/x")));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/x"))});
    for (const char* scheme : {"http", "https", "qthelp"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

TEST_F(HelpTest, oneClickOnAContentsTitleOpensItsTopic)
{
    help().showContents();
    QHelpContentModel* model = help().engine().contentModel();
    ASSERT_TRUE(
        QTest::qWaitFor([model] { return !model->isCreatingContents() && model->rowCount() > 0; }));
    auto* contents = help().engine().contentWidget();
    contents->expandAll();
    // The last title in the tree: never the contents page itself.
    QModelIndex target = model->index(model->rowCount() - 1, 0);
    while (model->rowCount(target) > 0)
        target = model->index(model->rowCount(target) - 1, 0, target);
    ASSERT_NE(model->contentItemAt(target)->url().fileName(), QStringLiteral("index.html"));
    contents->scrollTo(target);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                      contents->visualRect(target).center());
    EXPECT_EQ(topic(), model->contentItemAt(target)->url().fileName());
}

TEST_F(HelpTest, helpOverAModalWindowTakesKeysAndGivesThemBack)
{
    start();
    QDialog options(&window());
    options.setModal(true);
    options.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &options);
    help().showIndex();
    // The help is above the modal window in the modal stack: it takes
    // clicks and keys until it is closed.
    EXPECT_EQ(QApplication::activeModalWidget(), &help());
    QTest::keyClicks(&help().searchField(), QStringLiteral("ocen"));
    EXPECT_EQ(help().searchField().text(), QStringLiteral("ocen"));
    help().close();
    EXPECT_EQ(QApplication::activeModalWidget(), &options);
    options.close();

    // Opened again without a modal window, it does not block the others.
    help().showContents();
    EXPECT_EQ(help().windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
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

// What a damaged or replaced help file does to the help window: it says so
// in its page, whatever is asked of it, and never waits on a FIFO.
enum class Damage { None, Missing, Empty, Truncated, Random, Fifo, Folder, CollectionFifo };

class DamagedHelp : public ::testing::TestWithParam<Damage> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const auto copy = [this](const char* name) {
            return QFile::copy(QStringLiteral(WYKAZKI_BIN_DIR "/") + QLatin1String(name),
                               path(name));
        };
        const QByteArray qch = path("Wyka.qch").toLocal8Bit();
        const QByteArray qhc = path("Wyka.qhc").toLocal8Bit();
        if (GetParam() == Damage::CollectionFifo)
            ASSERT_EQ(::mkfifo(qhc.constData(), 0600), 0);
        else
            ASSERT_TRUE(copy("Wyka.qhc"));
        QFile file(path("Wyka.qch"));
        switch (GetParam()) {
        case Damage::None:
        case Damage::CollectionFifo: ASSERT_TRUE(copy("Wyka.qch")); break;
        case Damage::Missing: break;
        case Damage::Empty: ASSERT_TRUE(file.open(QIODevice::WriteOnly)); break;
        case Damage::Truncated:
            ASSERT_TRUE(copy("Wyka.qch"));
            ASSERT_TRUE(file.resize(file.size() / 3));
            break;
        case Damage::Random: {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            QByteArray noise(qsizetype{64} * 1024, '\0');
            for (qsizetype i = 0; i < noise.size(); ++i)
                noise[i] = static_cast<char>((i * 7919 + 13) % 251);
            file.write(noise);
            break;
        }
        case Damage::Fifo: ASSERT_EQ(::mkfifo(qch.constData(), 0600), 0); break;
        case Damage::Folder: ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Wyka.qch"))); break;
        }
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

TEST_P(DamagedHelp, saysTheHelpIsUnavailableAndTheProgramGoesOn)
{
    const bool usable = GetParam() == Damage::None;
    HelpWindow help(path("Wyka.qhc"));
    EXPECT_EQ(help.isAvailable(), usable);
    const QString unavailable =
        QStringLiteral("Pomoc jest niedostępna: plik Wyka.qch jest uszkodzony lub go brak");
    const std::function<void()> requests[] = {
        [&] { help.showContents(); },
        [&] { help.showIndex(); },
        [&] { help.showHelpOnHelp(); },
        [&] { help.showContext(helpcontext::kMainWindow); },
    };
    for (const auto& request : requests) {
        request();
        EXPECT_TRUE(help.isVisible());
        const QString page = help.browser().toPlainText();
        EXPECT_EQ(page.contains(unavailable), !usable) << page.left(200).toStdString();
        EXPECT_EQ(page.trimmed().isEmpty(), false);
    }
    help.close();
}

std::string damageName(const ::testing::TestParamInfo<Damage>& param)
{
    static const char* const kNames[] = {"none",   "missing", "empty",  "truncated",
                                         "random", "fifo",    "folder", "collectionFifo"};
    return kNames[static_cast<int>(param.param)];
}

INSTANTIATE_TEST_SUITE_P(HelpFiles, DamagedHelp,
                         ::testing::Values(Damage::None, Damage::Missing, Damage::Empty,
                                           Damage::Truncated, Damage::Random, Damage::Fifo,
                                           Damage::Folder, Damage::CollectionFifo),
                         damageName);

}  // namespace

namespace {

// The keys a text names: "Ctrl+P", "<kbd>Ctrl</kbd>+<kbd>L</kbd>", "F9".
QSet<QString> keysNamedIn(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("</kbd>\\s*\\+\\s*<kbd>")), QStringLiteral("+"));
    text.remove(QRegularExpression(QStringLiteral("</?kbd>")));
    QSet<QString> keys;
    static const QRegularExpression combination(QStringLiteral(
        "\\b((?:Ctrl\\+|Alt\\+|Shift\\+)+(?:[A-Z0-9]|F\\d{1,2}|Insert|Backspace|[←→↑↓]))(?![\\w])"));
    for (const auto& m : combination.globalMatch(text))
        keys.insert(m.captured(1));
    static const QRegularExpression function(QStringLiteral("(?<![\\w+])(F\\d{1,2})\\b"));
    for (const auto& m : function.globalMatch(text))
        keys.insert(m.captured(1));
    return keys;
}

QString portable(const QKeySequence& key)
{
    return key.toString(QKeySequence::PortableText)
        .replace(QStringLiteral("Left"), QStringLiteral("←"))
        .replace(QStringLiteral("Right"), QStringLiteral("→"))
        .replace(QStringLiteral("Up"), QStringLiteral("↑"))
        .replace(QStringLiteral("Down"), QStringLiteral("↓"));
}

}  // namespace

// Every key a help topic names is one the program binds: an action's or a
// shortcut's in either key scheme, or one the grids and editors take.
TEST_F(HelpTest, everyKeyTheHelpNamesIsBound)
{
    start();
    context->phraseEditor().showAtRow(0);
    help().showContents();
    QSet<QString> bound;
    const auto collect = [&bound] {
        for (QWidget* w : QApplication::allWidgets()) {
            for (const QAction* a : w->actions())
                for (const QKeySequence& k : a->shortcuts())
                    bound.insert(portable(k));
            for (const QShortcut* s : w->findChildren<QShortcut*>())
                bound.insert(portable(s->key()));
        }
    };
    for (const KeyScheme scheme : {KeyScheme::Modern, KeyScheme::Classic}) {
        window().applyKeyScheme(scheme);
        collect();
    }
    // Taken by the grids and the editors themselves, not by actions: copy
    // and paste, the text file (F5), the phrase keys, help (F1), and the
    // layout view's keys.
    for (const char* key : {"Ctrl+C", "Ctrl+V", "Ctrl+Insert", "Shift+Insert", "F1", "F5", "Ctrl+0",
                            "Ctrl+1", "Ctrl+9", "Shift+↑", "Shift+↓"})
        bound.insert(QString::fromUtf8(key));

    const QList<QUrl> topics = help().engine().files(QStringLiteral("pl.wykazki.pomoc"), QString(),
                                                     QStringLiteral("html"));
    ASSERT_GE(topics.size(), 12);
    for (const QUrl& topic : topics) {
        const QString text = QString::fromUtf8(help().engine().fileData(topic));
        for (const QString& key : keysNamedIn(text))
            EXPECT_TRUE(bound.contains(key))
                << topic.fileName().toStdString() << " names " << key.toStdString();
    }
    // So do the information document and the notes of the options window.
    QTextDocument info;
    ASSERT_TRUE(readRtfFile(QStringLiteral(WYKAZKI_BIN_DIR "/wyka2001.rtf"), info));
    QStringList notes;
    for (const QLabel* label : context->optionsWindow().findChildren<QLabel*>())
        notes << label->text() << label->toolTip();
    for (const auto& [where, text] :
         {std::pair{"wyka2001.rtf", info.toPlainText()}, std::pair{"Opcje", notes.join(u'\n')}})
        for (const QString& key : keysNamedIn(text))
            EXPECT_TRUE(bound.contains(key)) << where << " names " << key.toStdString();
    // The parser itself finds what it must.
    EXPECT_EQ(keysNamedIn(QStringLiteral("<kbd>Ctrl</kbd>+<kbd>L</kbd>, F9, Ctrl+Shift+S")),
              (QSet<QString>{QStringLiteral("Ctrl+L"), QStringLiteral("F9"),
                             QStringLiteral("Ctrl+Shift+S")}));
}

}  // namespace wykazki

#include "help_test.moc"
