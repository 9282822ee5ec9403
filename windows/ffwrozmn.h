#pragma once
// "Tworzenie plików dla poszczególnych wychowawców": a list of file names
// typed into a one-column grid and, on command, a copy of the whole open
// class file under each of them in the program folder. The list lives as
// long as the program; the window never changes the open document.

#include "grid/cellediowner.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;

class QToolButton;

namespace wykazki {

class TCellEdi;

// One file name without extension, Windows-1250 bytes.
struct TNazwa {
    std::string tekst;
};

class Tffwrozmn : public QWidget, private CellEdiOwner {
    Q_OBJECT
public:
    static constexpr std::size_t kNameLimit = 20;  // characters typed

    // What a copy's name leads to in the program folder.
    enum class Target { Free, ExistingFile, OpenClass };
    // The window's reach into the files; fileName is a name without
    // extension in the file system's encoding.
    struct Copies {
        // Writes the open document as program folder + fileName + ".wkz";
        // says whether the file was written, and if not, why in `failure`.
        std::function<bool(const std::string& fileName, QString* failure)> write;
        std::function<Target(const std::string& fileName)> target;
        // The program folder as shown.
        std::function<QString()> folder;
        // A question with the given buttons: the index of the answer.
        std::function<int(const QString& text, const QStringList& buttons)> ask;
    };

    explicit Tffwrozmn(Copies copies, QWidget* parent = nullptr);

    // Shows the window (not modal) with the grid sized to the list and the
    // keyboard on the grid.
    void open();

    // Why a name cannot be used as a file name, or nothing when it can. An
    // empty name is no file name either, but is simply skipped.
    static std::optional<QString> refusal(const std::string& name);

    const std::vector<TNazwa>& names() const { return names_; }
    TCellEdi& grid() { return *grid_; }
    // The toolbar's buttons SpeedButton1 .. SpeedButton4.
    QToolButton& speedButton(int number)
    {
        return *speedButtons_.at(static_cast<std::size_t>(number - 1));
    }
    QString statusText() const;

public slots:
    void addName();     // Dodaj nazwę pliku
    void removeName();  // Usuń nazwę pliku
    void writeFiles();  // Twórz pliki dla oddziałów

private:
    // The grid's owner: the names, one per row.
    CellEdiEvents boundEvents() const override;
    void columnHeader(TCellEdi&, int column, TTekstOczka& ato) const override;
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override;
    void cellEdit(TCellEdi& grid, int x, int y, unsigned char& key, int button) override;
    void copyText(TCellEdi&, int x, int y, std::string& text) const override;
    void pasteIntoCell(TCellEdi& grid, int x, int y, std::string& text) override;
    void refreshGrid();

    Copies copies_;
    std::vector<TNazwa> names_;
    TCellEdi* grid_;
    std::array<QToolButton*, 4> speedButtons_{};
    QLabel* status_;
};

}  // namespace wykazki
