#pragma once
// The program's own help window over the compiled help (Wyka.qhc and
// Wyka.qch in the program folder): the contents and the keyword index on
// the left, the topic on the right, with back and forward. It needs no
// outside viewer. A help file that cannot be opened is reported in the
// window itself.

#include "help/helpviewer.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QAction;
class QHelpEngine;
class QHelpLink;
class QLineEdit;
class QTabWidget;

namespace wykazki {

class HelpBrowser;

class HelpWindow : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    static const QString kCollectionName;  // "Wyka.qhc"

    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Whether the compiled help could be opened.
    bool isAvailable() const { return available_; }

    QWidget& widget() override { return *this; }
    void showContents() override;
    void showIndex(const QString& keyword) override;
    void showIndex() { showIndex(QString()); }
    void showHelpOnHelp() override;
    void showContext(int context) override;

    // The topic of a help context, or an empty url when it has none.
    QUrl topicOf(int context) const;
    QUrl currentTopic() const;
    QUrl contentsTopic() const;

    QHelpEngine& engine() { return *engine_; }
    HelpBrowser& browser() { return *browser_; }
    QLineEdit& searchField() { return *searchField_; }
    QTabWidget& tabs() { return *tabs_; }
    QAction& backAction() { return *back_; }
    QAction& forwardAction() { return *forward_; }

private:
    void buildToolbar(QWidget& bar);
    QWidget* buildIndexPage();
    void open(const QUrl& topic);
    void openDocuments(const QList<QHelpLink>& documents);
    // Shows the window over whatever is open; above a modal window it must
    // be modal itself, or that window would keep it from the keyboard.
    void present();
    void hideEvent(QHideEvent* event) override;

    QHelpEngine* engine_;
    bool available_ = false;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QLineEdit* searchField_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    // The window that had the keyboard before the help came up.
    QPointer<QWidget> returnTo_;
};

}  // namespace wykazki
