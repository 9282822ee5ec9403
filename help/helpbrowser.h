#pragma once
// The help window's text browser: topics and their style sheets and
// pictures come out of the compiled help, not from files.

#include <QTextBrowser>

class QHelpEngineCore;

namespace wykazki {

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngineCore& engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    // What the browser shows when the compiled help cannot be read: a
    // missing, damaged or replaced Wyka.qch.
    static QString unavailablePage();

    // Whether a link in a topic is for the desktop's browser or mail
    // program rather than for the help window.
    static bool leavesTheHelp(const QUrl& link);

    // Follows a clicked link: another topic (or a place in this one) in
    // the window, the web in the desktop's browser.
    void follow(const QUrl& link);

private:
    QHelpEngineCore& engine_;
};

}  // namespace wykazki
