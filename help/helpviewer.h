#pragma once
// What the program asks of its help window. The window itself
// (helpwindow.h) needs Qt Help, which the program loads only with the help
// module, when the help is first asked for; the program holds it through
// this interface.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace wykazki {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    virtual QWidget& widget() = 0;
    // Pomoc > Spis treści: the contents and the first topic.
    virtual void showContents() = 0;
    // Pomoc > Wyszukaj: the keyword index, its search field holding keyword.
    virtual void showIndex(const QString& keyword) = 0;
    // Pomoc > Jak szukać?: how to use the help.
    virtual void showHelpOnHelp() = 0;
    // F1: the topic of a window's help context; the contents for a number
    // that has no topic.
    virtual void showContext(int context) = 0;
};

// Makes the help window over the compiled help collectionFile.
using HelpViewerFactory = std::function<std::unique_ptr<HelpViewer>(const QString& collectionFile)>;

// The compiled help in the program folder.
inline constexpr char kHelpCollectionName[] = "Wyka.qhc";
// The module's name and its one entry:
// extern "C" HelpViewer* wykazki_make_help_viewer(const QString& collectionFile).
inline constexpr char kHelpModule[] = "help";
inline constexpr char kHelpModuleEntry[] = "wykazki_make_help_viewer";

}  // namespace wykazki
