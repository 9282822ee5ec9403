#pragma once
// Pliki › Importuj z arkusza…: the sheet's first rows as they stand,
// whether pupils are its rows or its columns, which row (or column) heads
// them, which phrase each of its columns (or rows) holds, the phrase
// pupils are found by, and whether the sheet replaces the class; for a
// text file its encoding, for a workbook its sheet, each read anew when
// changed.

#include "classio/classimport.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QVBoxLayout;

namespace wykazki {

// Where the sheet comes from, so that the dialog can read it again.
struct ImportSource {
    enum class Encoding { Automatic, Utf8, Windows1250 };
    bool isText = false;  // a CSV file: the encoding can be chosen
    QStringList sheets;   // a workbook's sheets, to choose from
    // The table with that encoding and sheet (index in sheets); problem
    // says why when it could not be read.
    std::function<SheetTable(Encoding encoding, int sheet, QString* problem)> read;
};

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // Rows of the sheet shown.
    static constexpr int kShownRows = 8;

    ImportDialog(const Document& document, const QString& fileName, ImportSource source,
                 QWidget* parent = nullptr);

    // The sheet as last read, and the mapping the controls say.
    const SheetTable& table() const { return table_; }
    ImportMapping mapping() const;
    // Why the sheet could not be read; empty when it was.
    QString problem() const { return problem_; }

    // The controls, for the tests.
    QTableWidget& preview() { return *preview_; }
    QRadioButton& rowsButton() { return *rows_; }
    QRadioButton& columnsButton() { return *columns_; }
    QSpinBox& headerSpin() { return *header_; }
    // The combo of source column i: "nie importuj" first, then every phrase.
    QComboBox& columnBox(int i) { return *columnBoxes_.at(static_cast<std::size_t>(i)); }
    int columnBoxCount() const { return static_cast<int>(columnBoxes_.size()); }
    QComboBox& namePhraseBox() { return *namePhrase_; }
    QCheckBox& replaceBox() { return *replace_; }
    QComboBox& encodingBox() { return *encoding_; }
    QComboBox& sheetBox() { return *sheet_; }
    QPushButton& importButton() { return *import_; }

private:
    void readSheet();
    void showPreview();
    // New combos for the columns, preset with the proposed mapping.
    void proposeColumns();
    void updateState();

    const Document& document_;
    ImportSource source_;
    SheetTable table_;
    QString problem_;

    QLabel* problemLabel_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QRadioButton* rows_ = nullptr;
    QRadioButton* columns_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    QSpinBox* header_ = nullptr;
    QWidget* columnsPanel_ = nullptr;
    QVBoxLayout* columnsLayout_ = nullptr;
    std::vector<QComboBox*> columnBoxes_;
    QComboBox* namePhrase_ = nullptr;
    QCheckBox* replace_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QComboBox* sheet_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* import_ = nullptr;
};

}  // namespace wykazki
