#include "helpwindow.h"

#include "helpbrowser.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace wykazki {

const QString HelpWindow::kCollectionName = QString::fromLatin1(kHelpCollectionName);

namespace {

const QString kNamespace = QStringLiteral("pl.wykazki.pomoc");
const QString kDocumentationName = QStringLiteral("Wyka.qch");

// A regular file that starts as an SQLite database does: both help files
// are. Anything else (a FIFO, a folder, an empty or random file) is not
// handed to the help engine.
bool looksLikeHelpFile(const QString& path)
{
    if (!QFileInfo(path).isFile())  // regular files only, links followed
        return false;
    QFile file(path);
    static const QByteArray kHeader("SQLite format 3", 16);  // with its zero byte
    return file.open(QIODevice::ReadOnly) && file.read(kHeader.size()) == kHeader;
}

QUrl topicUrl(const QString& file)
{
    return QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(kNamespace, file));
}

}  // namespace

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Pomoc - Wykazki"));
    setMinimumSize(560, 380);
    resize(900, 560);

    engine_ = new QHelpEngine(collectionFile, this);
    // The program folder may be read-only; the help is only ever read.
    engine_->setReadOnly(true);
    // The engine is never set up on files that are not what they should be:
    // its database would wait for ever on a FIFO.
    available_ = looksLikeHelpFile(collectionFile)
                 && looksLikeHelpFile(QFileInfo(collectionFile).dir().filePath(kDocumentationName))
                 && engine_->setupData() && engine_->registeredDocumentations().contains(kNamespace)
                 && !engine_->fileData(contentsTopic()).isEmpty();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bar = new QToolBar(this);
    column->addWidget(bar);

    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName(QStringLiteral("helpTabs"));
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    tabs_->addTab(contents, QStringLiteral("&Spis treści"));
    tabs_->addTab(buildIndexPage(), QStringLiteral("&Indeks"));
    browser_ = new HelpBrowser(*engine_, splitter);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    // Topic titles are never cut short: too narrow a pane scrolls instead.
    contents->header()->setStretchLastSection(false);
    contents->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    splitter->setSizes({310, 590});
    column->addWidget(splitter, 1);
    buildToolbar(*bar);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::open);
    // One click on a title opens its topic, as in the desktop's help viewers.
    connect(contents, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (const QHelpContentItem* item = engine_->contentModel()->contentItemAt(index))
            open(item->url());
    });
    // The contents are few: all of them in view at once, the pane as wide
    // as the longest title (at most half the window) in the window's font.
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this, contents, splitter] {
                contents->expandAll();
                contents->resizeColumnToContents(0);
                const int wanted = contents->columnWidth(0) + 2 * contents->frameWidth()
                                   + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
                const int total = width();
                const int pane = std::clamp(wanted, 230, total / 2);
                splitter->setSizes({pane, total - pane});
            });
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document, const QString&) { open(document.url); });
    connect(
        engine_->indexWidget(), &QHelpIndexWidget::documentsActivated, this,
        [this](const QList<QHelpLink>& documents, const QString&) { openDocuments(documents); });

    if (!available_)
        browser_->setHtml(HelpBrowser::unavailablePage());
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::buildToolbar(QWidget& bar)
{
    auto* toolbar = static_cast<QToolBar*>(&bar);
    back_ = toolbar->addAction(QStringLiteral("Wstecz"));
    back_->setObjectName(QStringLiteral("helpBack"));
    back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    back_->setToolTip(QStringLiteral("Poprzedni temat (Alt+←)"));
    back_->setEnabled(false);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);

    forward_ = toolbar->addAction(QStringLiteral("Dalej"));
    forward_->setObjectName(QStringLiteral("helpForward"));
    forward_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    forward_->setToolTip(QStringLiteral("Następny temat (Alt+→)"));
    forward_->setEnabled(false);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);

    QAction* home = toolbar->addAction(QStringLiteral("Spis treści"));
    home->setObjectName(QStringLiteral("helpHome"));
    connect(home, &QAction::triggered, this, [this] { open(contentsTopic()); });
}

QWidget* HelpWindow::buildIndexPage()
{
    auto* page = new QWidget(tabs_);
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("S&zukaj:"), page);
    searchField_ = new QLineEdit(page);
    searchField_->setObjectName(QStringLiteral("helpSearch"));
    label->setBuddy(searchField_);
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("helpIndex"));
    column->addWidget(label);
    column->addWidget(searchField_);
    column->addWidget(index, 1);

    // Any part of a keyword finds it; the best match becomes current.
    connect(searchField_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(searchField_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    // Choosing the index (Alt+I) is to type a keyword.
    connect(tabs_, &QTabWidget::currentChanged, this, [this, page](int) {
        if (tabs_->currentWidget() == page)
            searchField_->setFocus();
    });
    // The index is built in the background; apply what was typed meanwhile.
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, this,
            [this, index] { index->filterIndices(searchField_->text()); });
    return page;
}

QUrl HelpWindow::contentsTopic() const
{
    return topicUrl(QStringLiteral("index.html"));
}

QUrl HelpWindow::topicOf(int context) const
{
    if (!available_)
        return {};
    const QList<QHelpLink> links =
        engine_->documentsForIdentifier(QStringLiteral("kontekst.%1").arg(context));
    return links.isEmpty() ? QUrl() : links.constFirst().url;
}

QUrl HelpWindow::currentTopic() const
{
    return browser_->source();
}

void HelpWindow::open(const QUrl& topic)
{
    if (available_ && topic.isValid())
        browser_->setSource(topic);
}

void HelpWindow::openDocuments(const QList<QHelpLink>& documents)
{
    if (!documents.isEmpty())
        open(documents.constFirst().url);
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // As a window manager would: the keyboard goes back where it was.
    if (returnTo_ && returnTo_->isVisible() && !returnTo_->isActiveWindow())
        returnTo_->activateWindow();
}

void HelpWindow::showContents()
{
    tabs_->setCurrentIndex(0);
    open(contentsTopic());
    present();
    engine_->contentWidget()->setFocus();
}

void HelpWindow::showIndex(const QString& keyword)
{
    tabs_->setCurrentIndex(1);
    searchField_->setText(keyword);
    if (currentTopic().isEmpty())
        open(contentsTopic());
    present();
    searchField_->setFocus();
}

void HelpWindow::showHelpOnHelp()
{
    open(topicUrl(QStringLiteral("pomoc.html")));
    present();
    browser_->setFocus();
}

void HelpWindow::showContext(int context)
{
    const QUrl topic = topicOf(context);
    if (topic.isEmpty()) {
        showContents();
        return;
    }
    open(topic);
    present();
    browser_->setFocus();
}

void HelpWindow::present()
{
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && active != this)
        returnTo_ = active;
    QWidget* modal = QApplication::activeModalWidget();
    const bool overModal = modal != nullptr && modal != this;
    const Qt::WindowModality wanted = overModal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        // Modality changes only while the window is hidden.
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace wykazki
