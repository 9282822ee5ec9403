#include "checkcommand.h"

#include "commandline.h"

#include "check/classcheck.h"

#include "document/cp1250.h"

#include <QString>

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

namespace wykazki {

namespace {

const char* const kCheckUsage =
    "Usage: wkz check FILE [--page N] [--pupils LIST] [--pictures DIR] [--groups]\n"
    "  FILE            the class file (.wkz)\n"
    "  --page N        check the page of the form to print, 1 to 4 (default every page)\n"
    "  --pupils LIST   the pupils to check, numbered from 1, e.g. 1,3-5 (default all)\n"
    "  --pictures DIR  the folder picture files are looked up in (default the folder of wkz)\n"
    "  --groups        also name each pupil's groups (distinction, not promoted, incomplete);\n"
    "                  they are no findings\n"
    "One line per finding, tab-separated: pupil number, pupil name, phrase name, finding.\n"
    "Texts that do not fit their boxes, empty grades and texts, typed averages that differ\n"
    "from the computed ones, missing pictures and unknown words (with the Polish dictionary\n"
    "installed). Exit status: 0 nothing found, 3 findings, 1 the class file could not be\n"
    "read, 2 a usage error.\n";

struct CheckArguments {
    std::string input;
    std::optional<int> page;
    std::optional<std::vector<PupilRange>> pupils;
    std::optional<std::string> picturesFolder;
    bool groups = false;
    bool help = false;
};

CheckArguments parseCheckArguments(const std::vector<std::string>& args)
{
    const QCommandLineOption help = helpOption();
    const QCommandLineOption groups = flagOption("groups");
    const QCommandLineOption page = valueOption("page");
    const QCommandLineOption pupils = valueOption("pupils");
    const QCommandLineOption pictures = valueOption("pictures");
    const QList<QCommandLineOption> valued{page, pupils, pictures};
    const CommandArguments given(args, QList<QCommandLineOption>{help, groups} + valued);
    if (!given.unknownOptions().empty())
        throw UsageError{"unknown option '" + given.unknownOptions().front() + "'"};
    // A lone "-" is no class file here.
    if (std::find(given.positional().begin(), given.positional().end(), "-")
        != given.positional().end())
        throw UsageError{"unknown option '-'"};
    if (const auto extra = secondFile(given.positional()))
        throw UsageError{"check takes one class file, unexpected '" + *extra + "'"};
    CheckArguments a;
    a.input = firstFile(given.positional());
    a.help = given.isSet(help);
    a.groups = given.isSet(groups);
    if (const auto value = given.value(page))
        a.page = parsePage(*value);
    if (const auto value = given.value(pupils))
        a.pupils = parsePupilList(*value);
    if (const auto value = given.value(pictures))
        a.picturesFolder = parsePicturesFolder(*value);
    for (const QCommandLineOption& option : valued) {
        // Named a second time as the last argument, an option lacks its
        // value before it is given twice.
        const std::string name = CommandArguments::spelling(option);
        if (given.count(option) == 2 && given.missingValue() == name)
            throw UsageError{name + " needs a value"};
        if (given.count(option) > 1)
            throw UsageError{name + " given twice"};
    }
    if (given.missingValue())
        throw UsageError{*given.missingValue() + " needs a value"};
    if (a.input.empty() && !a.help)
        throw UsageError{"check needs a class file"};
    return a;
}

// A field of a tab-separated line: tabs and line breaks become blanks.
std::string field(const QString& text)
{
    QString flat = text;
    for (QChar& c : flat)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return flat.toStdString();
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& args)
{
    CheckArguments a;
    std::optional<ClassFileContents> contents;
    std::vector<std::size_t> pupils;
    try {
        a = parseCheckArguments(args);
        if (a.help) {
            std::cout << kCheckUsage;
            return 0;
        }
        contents = readClassReporting(a.input);
        if (!contents)
            return kExitError;
        pupils = choosePupils(a.pupils, contents->pupils.count());
    } catch (const UsageError& e) {
        std::cerr << "wkz check: " << e.problem << "\n" << kCheckUsage;
        return kExitUsage;
    }

    return runWithQt("check", QtApplicationKind::Gui, [&] {
        const std::unique_ptr<Speller> speller = Speller::openPolish();
        if (!speller)
            std::cerr << "wkz check: no Polish dictionary (hunspell-pl); spelling not checked\n";
        ClassCheck check(contents->phrases, contents->pupils, contents->options,
                         a.picturesFolder.value_or(programFolder()), speller.get());
        int found = 0;
        for (const std::size_t pupil : pupils) {
            const QString name = pupilName(contents->phrases, contents->pupils, pupil);
            for (const Finding& f : check.checkPupil(pupil, a.page)) {
                const bool group = f.kind == FindingKind::Groups;
                if (group && !a.groups)
                    continue;
                found += group ? 0 : 1;
                const std::string phrase =
                    f.phrase ? cp1250::toUtf8(contents->phrases[*f.phrase].name) : std::string();
                std::cout << pupil + 1 << '\t' << field(name) << '\t'
                          << field(QString::fromStdString(phrase)) << '\t' << field(f.text) << '\n';
            }
        }
        if (!std::cout.flush())
            return kExitError;
        return found > 0 ? kExitFindings : 0;
    });
}

}  // namespace wykazki
