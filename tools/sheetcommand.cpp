#include "sheetcommand.h"

#include "commandline.h"

#include "classio/classexport.h"
#include "classio/classimport.h"
#include "classio/matchkey.h"
#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "qtbridge/classfilelock.h"
#include "qtbridge/cp1250text.h"
#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"

#include <QFile>
#include <QStringList>

#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>
#include <utility>

namespace wykazki {

namespace {

const char* const kImportUsage =
    "Użycie: wkz import KLASA.wkz ARKUSZ -o WYNIK.wkz [--map \"FRAZA=KOLUMNA;...\"] [--columns]\n"
    "                  [--replace]\n"
    "  KLASA.wkz     plik klasy, do którego trafiają uczniowie\n"
    "  ARKUSZ        arkusz .xlsx, .ods albo .csv (pierwszy arkusz skoroszytu)\n"
    "  -o WYNIK.wkz  plik klasy do zapisania\n"
    "  --map         frazy i nagłówki kolumn arkusza, które je zawierają, np.\n"
    "                \"Imię i nazwisko=Nazwisko i imię;Matematyka=Mat\"; pozostałe kolumny\n"
    "                są dobierane po nazwach fraz\n"
    "  --columns     uczniowie są w kolumnach arkusza (domyślnie w wierszach)\n"
    "  --replace     uczniowie z arkusza zastępują całą klasę\n"
    "Pierwszy wiersz arkusza (kolumna przy --columns) to nagłówki. Uczniowie już obecni\n"
    "w klasie są rozpoznawani po nazwisku, pozostali dopisywani. Podsumowanie trafia na\n"
    "standardowe wyjście. Kod wyjścia: 0 zapisano, 1 błąd pliku, 2 błąd wywołania.\n";

const char* const kExportUsage =
    "Użycie: wkz export KLASA.wkz -o WYNIK.xlsx|WYNIK.ods|WYNIK.csv [--columns]\n"
    "  KLASA.wkz    plik klasy\n"
    "  -o WYNIK     arkusz do zapisania; rodzaj wynika z rozszerzenia\n"
    "  --columns    uczniowie w kolumnach (domyślnie w wierszach)\n"
    "W pierwszym wierszu nazwy fraz i \"Średnia ucznia\", oceny jako ich wordings.\n"
    "Kod wyjścia: 0 zapisano, 1 błąd pliku, 2 błąd wywołania.\n";

struct SheetArguments {
    std::vector<std::string> files;
    std::string output;
    std::optional<std::string> map;
    bool columns = false;
    bool replace = false;
    bool help = false;
};

SheetArguments parseSheetArguments(const std::vector<std::string>& args, bool importing)
{
    const QCommandLineOption help = helpOption();
    const QCommandLineOption output = outputOption();
    const QCommandLineOption columns = flagOption("columns");
    const QCommandLineOption replace = flagOption("replace");
    const QCommandLineOption map = valueOption("map");
    QList<QCommandLineOption> valued{output};
    QList<QCommandLineOption> flags{help, columns};
    if (importing) {
        valued.append(map);
        flags.append(replace);
    }
    const CommandArguments given(args, flags + valued);
    if (!given.unknownOptions().empty())
        throw UsageError{"nieznana opcja '" + given.unknownOptions().front() + "'"};
    SheetArguments a;
    a.files = given.positional();
    a.output = given.value(output).value_or(std::string());
    if (given.value(output) && a.output.empty())
        throw UsageError{"-o wymaga nazwy pliku"};
    a.map = given.value(map);
    a.columns = given.isSet(columns);
    a.replace = given.isSet(replace);
    a.help = given.isSet(help);
    for (const QCommandLineOption& option : valued)
        if (given.count(option) > 1)
            throw UsageError{CommandArguments::spelling(option) + " podano dwukrotnie"};
    if (given.missingValue())
        throw UsageError{*given.missingValue() + " wymaga wartości"};
    if (a.help)
        return a;
    const std::size_t wanted = importing ? 2 : 1;
    if (a.files.size() != wanted)
        throw UsageError{importing ? "import wymaga pliku klasy i arkusza"
                                   : "export wymaga jednego pliku klasy"};
    if (a.output.empty())
        throw UsageError{importing ? "brak -o WYNIK.wkz" : "brak -o WYNIK.xlsx|.ods|.csv"};
    std::error_code ec;
    for (const std::string& file : a.files)
        if (std::filesystem::equivalent(file, a.output, ec))
            throw UsageError{"-o wskazuje plik wejściowy"};
    return a;
}

// "Fraza=Nagłówek;…" over the proposed mapping: each pair sends the
// column so headed to the phrase so named. Throws UsageError naming what
// is not there.
void applyMap(const std::string& map, const Document& document, const SheetTable& turned,
              ImportMapping& mapping)
{
    const QStringList pairs = decodeArgument(map).split(u';', Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0)
            throw UsageError{"--map: brak '=' w '" + pair.toStdString() + "'"};
        const QString phraseName = pair.left(equals).trimmed();
        const QString header = pair.mid(equals + 1).trimmed();
        int phrase = -1;
        for (std::size_t j = 0; j < document.phrases().count() && phrase < 0; ++j)
            if (matchKey(qstringFromCp1250(document.phrases()[j].name)) == matchKey(phraseName))
                phrase = static_cast<int>(j);
        if (phrase < 0)
            throw UsageError{"--map: klasa nie ma frazy „" + phraseName.toStdString() + "”"};
        int column = -1;
        for (int c = 0; c < turned.columnCount() && column < 0; ++c)
            if (matchKey(turned.cell(0, c)) == matchKey(header))
                column = c;
        if (column < 0)
            throw UsageError{"--map: arkusz nie ma kolumny „" + header.toStdString() + "”"};
        for (int& taken : mapping.phraseOfColumn)
            if (taken == phrase)
                taken = -1;
        mapping.phraseOfColumn.resize(
            std::max(mapping.phraseOfColumn.size(), static_cast<std::size_t>(column) + 1), -1);
        mapping.phraseOfColumn[static_cast<std::size_t>(column)] = phrase;
    }
}

std::optional<Document> readDocument(const std::string& path)
{
    std::optional<ClassFileContents> contents = readClassReporting(path);
    if (!contents)
        return std::nullopt;
    Document document;
    document.takeOver(std::move(*contents));
    return document;
}

}  // namespace

int runImportCommand(const std::vector<std::string>& args)
{
    SheetArguments a;
    try {
        a = parseSheetArguments(args, true);
        if (a.help) {
            std::cout << kImportUsage;
            return 0;
        }
    } catch (const UsageError& e) {
        std::cerr << "wkz import: " << e.problem << "\n" << kImportUsage;
        return kExitUsage;
    }
    std::optional<Document> document = readDocument(a.files[0]);
    if (!document)
        return kExitError;
    const QString sheetPath = QFile::decodeName(QByteArray::fromStdString(a.files[1]));
    if (!sheetFormatOf(sheetPath)) {
        std::cerr << "wkz import: " << a.files[1] << ": to nie jest arkusz .xlsx, .ods ani .csv\n";
        return kExitError;
    }
    QString problem;
    const SheetTable table = readSheet(sheetPath, SheetReadOptions{}, &problem);
    if (!problem.isEmpty()) {
        std::cerr << "wkz import: " << a.files[1] << ": " << problem.toStdString() << "\n";
        return kExitError;
    }
    ImportMapping mapping = proposeMapping(*document, table, !a.columns);
    mapping.replaceClass = a.replace;
    try {
        if (a.map)
            applyMap(*a.map, *document, turnedToPupilRows(table, !a.columns), mapping);
    } catch (const UsageError& e) {
        std::cerr << "wkz import: " << e.problem << "\n";
        return kExitUsage;
    }
    if (!outputWritable("import", a.output))
        return kExitError;
    ImportResult result = importTable(*document, table, mapping);
    const QString summary = result.summary();
    applyImport(*document, std::move(result));

    ClassFileLock lock(a.output);
    if (lock.tryLock() == ClassFileLock::State::HeldElsewhere) {
        std::cerr << "wkz import: " << a.output << ": plik jest otwarty w programie Wykazki ("
                  << lock.holderText().toStdString() << ")\n";
        return kExitError;
    }
    try {
        saveClassFileAt(a.output, document->contents());
    } catch (const EKolmoError& e) {
        std::cerr << errorMessage(e.code()) << "\n";
        return kExitError;
    }
    std::cout << summary.toStdString() << ".\n";
    return std::cout.flush() ? 0 : kExitError;
}

int runExportCommand(const std::vector<std::string>& args)
{
    SheetArguments a;
    std::optional<SheetFormat> format;
    try {
        a = parseSheetArguments(args, false);
        if (a.help) {
            std::cout << kExportUsage;
            return 0;
        }
        format = sheetFormatOf(QFile::decodeName(QByteArray::fromStdString(a.output)));
        if (!format)
            throw UsageError{"-o musi kończyć się na .xlsx, .ods albo .csv"};
    } catch (const UsageError& e) {
        std::cerr << "wkz export: " << e.problem << "\n" << kExportUsage;
        return kExitUsage;
    }
    const std::optional<Document> document = readDocument(a.files[0]);
    if (!document)
        return kExitError;
    if (!outputWritable("export", a.output))
        return kExitError;
    QString problem;
    if (!writeSheet(QFile::decodeName(QByteArray::fromStdString(a.output)),
                    exportTable(*document, !a.columns), *format, &problem)) {
        std::cerr << "wkz export: " << a.output << ": "
                  << (problem.isEmpty() ? std::string("nie zapisano arkusza")
                                        : problem.toStdString())
                  << "\n";
        return kExitError;
    }
    return 0;
}

}  // namespace wykazki
