#pragma once
// The print dialog for report cards (Ctrl+P, the toolbar's print button,
// Pliki › Drukuj zaznaczone wykazki): the printer or a PDF file, the page
// of the form, any set of pupils by check boxes, copies, a proof print on
// plain paper, and a line that states the job before it goes to paper.
// Its choices (printer, copies, proof, the page per class) last for the
// session; a PDF file is asked for anew for every job.

#include <QDialog>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace wykazki {

class Document;

// What the teacher chose: print `pupils` (indexes from 0, in grid order)
// on `printer`, or into `pdfFile` when that is not empty.
struct CardPrintChoice {
    std::vector<std::size_t> pupils;
    int page = 0;  // 0..3
    int copies = 1;
    bool proof = false;
    QString printer;
    QString pdfFile;
    bool operator==(const CardPrintChoice&) const = default;
};

class PrintCardsDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        // The print queues, and the one to preselect.
        std::function<QStringList()> printers;
        std::function<QString()> preferredPrinter;
        // A PDF file's name, or an empty text when the teacher cancelled.
        std::function<QString(QWidget* parent)> askPdfFile;
        // Qt's page and printer properties for the queue.
        std::function<void(const QString& printer, QWidget* parent)> properties;
        // Shows the dialog modally; returns QDialog::Accepted or Rejected.
        std::function<int(QDialog&)> runModal;
    };

    explicit PrintCardsDialog(Services services, QWidget* parent = nullptr);

    // Asks what to print of doc's class `classFile`, preset with the
    // grid's selected pupils and, for a class not printed before in this
    // session, `page`. Nothing when the teacher cancelled.
    std::optional<CardPrintChoice> ask(const Document& doc, const QString& classFile,
                                       const std::vector<std::size_t>& selected, int page);
    // ask()'s first half, without showing the window: the tests drive the
    // controls from here and read choice().
    void prepare(const Document& doc, const QString& classFile,
                 const std::vector<std::size_t>& selected, int page);
    CardPrintChoice choice() const;

    // "Do wydruku: 3 świadectwa, strona 1, drukarka Biuro-HP".
    QString summary() const;

    // The controls, for the tests.
    QComboBox& printerBox() { return *printer_; }
    QPushButton& pdfButton() { return *pdf_; }
    QComboBox& pageBox() { return *page_; }
    QListWidget& pupilList() { return *pupils_; }
    QSpinBox& copiesSpin() { return *copies_; }
    QCheckBox& proofBox() { return *proof_; }
    QLabel& summaryLabel() { return *summary_; }
    QPushButton& groupButton(int i) { return *groups_.at(static_cast<std::size_t>(i)); }
    QPushButton& printButton() { return *print_; }

    // The group buttons, in order.
    enum Group { All, None, Distinction, NoDistinction, NotPromoted, kGroups };

private:
    void choosePdf();
    void checkGroup(Group group);
    void update();

    Services services_;
    QComboBox* printer_;
    QPushButton* pdf_;
    QPushButton* properties_;
    QComboBox* page_;
    QListWidget* pupils_;
    std::vector<QPushButton*> groups_;
    QSpinBox* copies_;
    QCheckBox* proof_;
    QLabel* summary_;
    QDialogButtonBox* buttons_;
    QPushButton* print_;
    // Per pupil in the list: the groups the class check puts them in.
    std::vector<bool> distinction_;
    std::vector<bool> notPromoted_;
    // The page last printed, per class file, for this session.
    std::map<QString, int> pageOfClass_;
    QString classFile_;
    QString pdfFile_;
    QString lastPrinter_;
};

}  // namespace wykazki
