#pragma once
// The help window's text browser: topics and their style sheets and
// pictures come out of the compiled help, not from files.

#include <QTextBrowser>

class QHelpEngineCore;

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngineCore& engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngineCore& engine_;
};
