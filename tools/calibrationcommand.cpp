#include "calibrationcommand.h"

#include "commandline.h"

#include "print/calibrationdrawing.h"
#include "print/certificaterenderer.h"

#include "document/ekolmoerror.h"
#include "document/topcje.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace wykazki {

namespace {

// The shifts the options window accepts.
constexpr int kLeastShiftMm = -50;
constexpr int kMostShiftMm = 500;

const char* const kCalibrationUsage =
    "Usage: wkz calibration -o OUT.pdf [--left MM] [--top MM] [--sheet WxH]\n"
    "  -o OUT.pdf   the PDF to write: one page of the sheet's size, 1200 dpi\n"
    "  --left MM    the shift to the right, as the options' \"Z lewej strony\", -50 to 500\n"
    "               (default 0)\n"
    "  --top MM     the shift down, as the options' \"Z góry\", -50 to 500 (default 0)\n"
    "  --sheet WxH  the sheet's width and height in mm, 1 to 1000 each (default 210x297)\n"
    "Rulers along the top and left edges and crosshairs 20 mm and 50 mm from the corner,\n"
    "all moved by the shift: print it, measure the crosshairs, correct the shift.\n";

// A whole number and nothing else.
std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int shiftMm(const std::string& option, const std::string& text)
{
    const auto value = wholeNumber(text);
    if (!value || *value < kLeastShiftMm || *value > kMostShiftMm)
        throw UsageError{option + " musi być liczbą całkowitą milimetrów od "
                         + std::to_string(kLeastShiftMm) + " do " + std::to_string(kMostShiftMm)
                         + ", a nie „" + text + "”"};
    return *value;
}

// "210x297" (or 210X297).
void takeSheet(TOpcje& options, const std::string& text)
{
    const std::string_view whole(text);
    const std::size_t cross = whole.find_first_of("xX");
    std::optional<int> width, height;
    if (cross != std::string_view::npos) {
        width = wholeNumber(whole.substr(0, cross));
        height = wholeNumber(whole.substr(cross + 1));
    }
    auto usable = [](const std::optional<int>& mm) {
        return mm && *mm >= kSmallestSheetMm && *mm <= kLargestSheetMm;
    };
    if (!usable(width) || !usable(height))
        throw UsageError{"--sheet musi mieć postać SZEROKOŚĆxWYSOKOŚĆ w milimetrach, np. 210x297, "
                         "każdy wymiar od "
                         + std::to_string(kSmallestSheetMm) + " do "
                         + std::to_string(kLargestSheetMm) + ", a nie „" + text + "”"};
    options.width = *width;
    options.height = *height;
}

struct CalibrationArguments {
    std::string output;
    TOpcje options;  // only the sheet and the shift count
    bool help = false;
};

CalibrationArguments parseArguments(const std::vector<std::string>& args)
{
    const QCommandLineOption help = helpOption();
    const QCommandLineOption output = outputOption();
    const QCommandLineOption left = valueOption("left");
    const QCommandLineOption top = valueOption("top");
    const QCommandLineOption sheet = valueOption("sheet");
    const QList<QCommandLineOption> valued{output, left, top, sheet};
    const CommandArguments given(args, QList<QCommandLineOption>{help} + valued);
    if (!given.unknownOptions().empty())
        throw UsageError{"nieznana opcja „" + given.unknownOptions().front() + "”"};
    if (!given.positional().empty())
        throw UsageError{"nieoczekiwany argument „" + given.positional().front() + "”"};
    CalibrationArguments a;
    a.help = given.isSet(help);
    if (const auto value = given.value(output)) {
        if (value->empty())
            throw UsageError{"-o wymaga nazwy pliku PDF"};
        a.output = *value;
    }
    if (const auto value = given.value(left))
        a.options.left = shiftMm("--left", *value);
    if (const auto value = given.value(top))
        a.options.top = shiftMm("--top", *value);
    if (const auto value = given.value(sheet))
        takeSheet(a.options, *value);
    for (const QCommandLineOption& option : valued)
        if (given.count(option) > 1)
            throw UsageError{CommandArguments::spelling(option) + " podano dwa razy"};
    if (given.missingValue())
        throw UsageError{"po " + *given.missingValue() + " brak wartości"};
    if (!a.help && a.output.empty())
        throw UsageError{"brak -o PLIK.pdf"};
    return a;
}

}  // namespace

int runCalibrationCommand(const std::vector<std::string>& args)
{
    CalibrationArguments a;
    try {
        a = parseArguments(args);
    } catch (const UsageError& e) {
        std::cerr << "wkz calibration: " << e.problem << "\n" << kCalibrationUsage;
        return kExitUsage;
    }
    if (a.help) {
        std::cout << kCalibrationUsage;
        return 0;
    }
    if (!outputWritable("calibration", a.output))
        return kExitError;
    return writeFileWithQt("calibration", QtApplicationKind::Gui, a.output, [&](QIODevice& out) {
        try {
            writeCalibrationPdf(out, a.options);
            return true;
        } catch (const EKolmoError& e) {
            std::cerr << errorMessage(e.code()) << "\n";
            return false;
        }
    });
}

}  // namespace wykazki
