// The error window and the central catching of exceptions that escape an
// event handler.

#include "fakedialogs.h"

#include "document/ekolmoerror.h"
#include "windows/ffwerr.h"
#include "windows/wykazkiapplication.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace wykazki {

TEST(ErrorWindow, showsTheMessageOfTheCodeModally)
{
    FakeDialogs dialogs;
    Tffwerr window(dialogs);
    window.report(ErrorCode::WrongVersion);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral(" Niewłaściwa wersja pliku z danymi"));
    window.report(42);  // unknown codes read as the unknown error
    EXPECT_EQ(dialogs.errors.back(), QStringLiteral(" Nieznany błąd"));

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Błąd w programie"));
    EXPECT_EQ(window.size(), QSize(567, 48));
    EXPECT_EQ(window.closeButton().toolTip(), QStringLiteral("Zamknij"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(ErrorWindow, aSecondReportWhileOpenOnlyReplacesTheText)
{
    FakeDialogs dialogs;
    Tffwerr window(dialogs);
    window.show();
    window.report(ErrorCode::WriteFailed);
    EXPECT_TRUE(dialogs.errors.empty());  // no second window
    EXPECT_EQ(window.message(), QStringLiteral(" Zapis danych do archiwum nie powiódł się"));
}

TEST(ErrorWindow, anyKeyOrClickClosesIt)
{
    FakeDialogs dialogs;
    Tffwerr window(dialogs);
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Escape, Qt::Key_Return, Qt::Key_F5}) {
        window.show();
        QTest::keyClick(&window, key);
        EXPECT_FALSE(window.isVisible()) << QTest::toString(key);
    }
    window.show();
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("tekst")), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    window.show();
    window.closeButton().click();
    EXPECT_FALSE(window.isVisible());
}

namespace {

// A widget whose handler fails the way a bug would.
class Failing : public QObject {
public:
    std::exception_ptr failure;
    int handled = 0;
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        std::rethrow_exception(failure);
    }
};

}  // namespace

TEST(CentralCatching, anEscapingExceptionIsReportedOnceAndTheProgramGoesOn)
{
    auto* app = qobject_cast<WykazkiApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    std::vector<int> reported;
    app->setErrorReporter([&](int code) { reported.push_back(code); });

    Failing failing;
    failing.failure = std::make_exception_ptr(std::runtime_error("bug"));
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(reported, std::vector<int>{ErrorCode::Unknown});

    // The next event is handled as usual.
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(failing.handled, 2);
    EXPECT_EQ(reported.size(), 2u);

    // A program error keeps its own message.
    failing.failure = std::make_exception_ptr(EKolmoError(ErrorCode::PrintFailed));
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(reported.back(), ErrorCode::PrintFailed);
    app->setErrorReporter(nullptr);
}

TEST(CentralCatching, aFailureWhileReportingDoesNotLoop)
{
    auto* app = qobject_cast<WykazkiApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    Failing failing;
    failing.failure = std::make_exception_ptr(std::logic_error("bug"));
    int reports = 0;
    // The reporter itself sends a failing event, as a broken error window might.
    app->setErrorReporter([&](int) {
        ++reports;
        QEvent again(QEvent::User);
        QCoreApplication::sendEvent(&failing, &again);
    });
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(failing.handled, 2);
    app->setErrorReporter(nullptr);
}

}  // namespace wykazki
