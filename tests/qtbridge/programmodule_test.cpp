// Opening the program's modules: found beside the executable, or a Polish
// problem that names the part and asks for a new installation.

#include "qtbridge/programmodule.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace wykazki {

namespace {

struct ModuleCase {
    const char* module;
    const char* entry;
    bool found;
    const char* problemPart;  // in the problem when not found
};

class ProgramModule : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(ProgramModule, entryOrProblem)
{
    const ModuleCase& c = GetParam();
    QString problem = QStringLiteral("left from before");
    const QFunctionPointer function = programmodule::entry(c.module, c.entry, &problem);
    EXPECT_EQ(function != nullptr, c.found);
    if (c.found) {
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    } else {
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problemPart))) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QStringLiteral("Zainstaluj program ponownie")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ProgramModule,
    ::testing::Values(ModuleCase{"sheets", "wykazki_sheet_functions", true, ""},
                      ModuleCase{"brak", "wykazki_sheet_functions", false,
                                 "Nie można wczytać części programu wykazki-brak"},
                      ModuleCase{"sheets", "wykazki_no_such_entry", false,
                                 "niezgodna z programem (brak wykazki_no_such_entry)"}));

TEST(ProgramModuleFolder, liesBesideTheExecutablesInTheBuild)
{
    EXPECT_TRUE(QFileInfo(programmodule::folder()).isDir())
        << programmodule::folder().toStdString();
}

}  // namespace

}  // namespace wykazki
