#pragma once
// "Sprawdź przed drukiem": the findings of the check before printing,
// grouped by pupil. A double-click on a finding takes the pupil grid's
// cursor to that pupil and phrase. Also asked before every card print.

#include "check/classcheck.h"

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace wykazki {

class Document;

// Runs the check pupil by pupil; over half a second it shows progress and
// can be cancelled (nothing then). The document must not change meanwhile:
// the progress window is modal.
std::optional<std::vector<Finding>> runClassCheck(QWidget* parent, const Document& document,
                                                  const CheckScope& scope,
                                                  const std::string& programFolder,
                                                  const Speller* speller,
                                                  const std::vector<LostCharacters>& lost);

// How many pupils have findings a print should stop for.
std::size_t pupilsStoppingPrint(const std::vector<Finding>& findings);

class ClassCheckWindow : public QDialog {
    Q_OBJECT
public:
    explicit ClassCheckWindow(QWidget* parent = nullptr);

    // Shows the findings of a check of `checked` pupils on `page` (nothing:
    // every page); the document names pupils and phrases.
    void showFindings(const Document& document, const std::vector<Finding>& findings,
                      std::size_t checked, std::optional<int> page);

    QTreeWidget& list() { return *list_; }
    QLabel& summary() { return *summary_; }

signals:
    // A finding was double-clicked (or Enter pressed on it).
    void goTo(std::size_t pupil, std::optional<std::size_t> phrase);
    void recheckRequested();

private:
    void activate(QTreeWidgetItem* item);

    QLabel* summary_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace wykazki
