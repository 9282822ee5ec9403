// The information window at start and from Pomoc > Info, the about window,
// and where the keyboard goes when the main window comes up.

#include "windowfixture.h"

#include "windows/ffkolmo.h"
#include "windows/ffwintro.h"

#include "richtext/rtfreader.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <sys/stat.h>

namespace wykazki {

namespace {

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class InfoTest : public WindowTest {
protected:
    void putDocument()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(WYKAZKI_BIN_DIR "/wyka2001.rtf"),
                                folder.filePath(QStringLiteral("wyka2001.rtf"))));
    }
    int infoShowings() const
    {
        return static_cast<int>(
            std::count(dialogs->modals.begin(), dialogs->modals.end(), QStringLiteral("ffintro")));
    }
    void activateMain()
    {
        // What a closing modal window does to the main window.
        QEvent activation(QEvent::ActivationChange);
        window().activateWindow();
        QApplication::sendEvent(&window(), &activation);
        QCoreApplication::processEvents();
    }
    void info() { window().findChild<QAction*>(QStringLiteral("Info1"))->trigger(); }
};

TEST_F(InfoTest, showsOnceAtStartAndEveryTimeFromTheMenu)
{
    putDocument();
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return infoShowings() == 1; }));
    Tffintro& intro = context->infoWindow();
    EXPECT_TRUE(intro.textView().toPlainText().startsWith(QStringLiteral("Wykazki\nWypełnianie")));
    EXPECT_EQ(intro.textView().palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_TRUE(intro.textView().isReadOnly());

    activateMain();
    activateMain();
    EXPECT_EQ(infoShowings(), 1);
    info();
    info();
    EXPECT_EQ(infoShowings(), 3);
}

TEST_F(InfoTest, withoutTheDocumentNothingShows)
{
    start();
    activateMain();
    info();
    // Not RTF at all: unreadable, so nothing either.
    QFile notRtf(folder.filePath(QStringLiteral("wyka2001.rtf")));
    ASSERT_TRUE(notRtf.open(QIODevice::WriteOnly));
    notRtf.write("Zwykły tekst");
    notRtf.close();
    info();
    EXPECT_EQ(infoShowings(), 0);
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(context->infoWindow().firstShowingPending());

    // Once the document is there, the next activation shows it.
    ASSERT_TRUE(QFile::remove(notRtf.fileName()));
    putDocument();
    activateMain();
    ASSERT_TRUE(QTest::qWaitFor([this] { return infoShowings() == 1; }));
}

// Hostile documents in the program folder: the program goes on, and what is
// shown is bounded. A FIFO is never opened for a read that would wait.
TEST_F(InfoTest, hostileDocumentsShowBoundedOrNothingAndNeverWait)
{
    const QString path = folder.filePath(QStringLiteral("wyka2001.rtf"));
    const struct {
        const char* name;
        QByteArray rtf;  // empty: a FIFO
        bool shown;
        QString last;  // the document's last paragraph
    } cases[] = {
        {"fifo", {}, false, {}},
        {"huge fonts", "{\\rtf1 \\fs2000 " + QByteArray("slowo ").repeated(2000) + "}", true,
         QStringLiteral("slowo ").repeated(2000)},
        {"beyond the limits", "{\\rtf1 " + QByteArray("a\\par ").repeated(6000) + "}", true,
         rtf::textCutNote()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        if (c.rtf.isEmpty()) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.rtf);
        }
        dialogs->modals.clear();
        info();
        EXPECT_EQ(infoShowings(), c.shown ? 1 : 0);
        if (!c.shown)
            continue;
        const QTextDocument& doc = *context->infoWindow().textView().document();
        EXPECT_EQ(doc.lastBlock().text().trimmed(), c.last.trimmed());
        EXPECT_LE(doc.begin().charFormat().fontPointSize(), rtf::kMaxPoints);
        // Laid out at the width of the window as shown, not of a box never
        // placed, where large letters would take a line each.
        EXPECT_GE(doc.pageSize().width(), 300) << doc.pageSize().width();
    }
}

TEST_F(InfoTest, aboutWindowNamesTheProgramAndOpensItsHomePage)
{
    window().findChild<QAction*>(QStringLiteral("Kolmo051"))->trigger();
    ASSERT_EQ(dialogs->modals, std::vector<QString>{QStringLiteral("ffkolmo")});
    const QString text = context->aboutWindow().text();
    EXPECT_TRUE(text.contains(QStringLiteral("Wykazki")));
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + QLatin1String(qVersion())));

    UrlCatcher opened;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
    Tffkolmo about(*dialogs, QUrl(QStringLiteral("https://example.org/wykazki")));
    EXPECT_TRUE(about.link().text().contains(QStringLiteral("#00ffff")));
    emit about.link().linkActivated(QStringLiteral("https://example.org/wykazki"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/wykazki"))});
}

TEST_F(InfoTest, keyboardGoesToTheGridAtStartAfterNowyAndOnActivation)
{
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget(), &grid());
    // A grade typed straight away: "6" on Matematyka of the first pupil.
    selectCell(0, kMaths);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_6);
    EXPECT_EQ(value(0, kMaths).grade, 5);

    auto* radio = window().findChild<QRadioButton*>();
    radio->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), radio);
    markSaved();  // no question before Nowy
    window().newDocument();
    EXPECT_EQ(QApplication::focusWidget(), &grid());

    radio->setFocus();
    activateMain();
    EXPECT_EQ(QApplication::focusWidget(), &grid());
}

}  // namespace

}  // namespace wykazki

#include "infowindow_test.moc"
