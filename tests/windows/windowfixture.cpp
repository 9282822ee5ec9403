#include "windowfixture.h"

#include "document/classfile.h"
#include "document/cp1250.h"
#include "qtbridge/cp1250text.h"
#include "windows/keyscheme.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace wykazki {

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value();
}

void closeModalSoon(const std::function<void(QWidget&)>& beforeClosing)
{
    QTimer::singleShot(0, [beforeClosing] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (beforeClosing)
            beforeClosing(*modal);
        modal->close();
    });
}

ClassFileContents sampleClass()
{
    ClassFileContents c;
    c.version = 56;
    const struct {
        const char* name;
        PhraseKind kind;
        std::int16_t page;
    } phrases[kPhraseCount] = {
        {"Imię i nazwisko", PhraseKind::Text, 0}, {"Matematyka", PhraseKind::Grade, 1},
        {"Fizyka", PhraseKind::Grade, 1},         {"Godło", PhraseKind::Picture, 0},
        {"Uwagi", PhraseKind::Text, 2},
    };
    for (const auto& p : phrases) {
        TFra phrase;
        phrase.name = cp(p.name);
        phrase.kind = p.kind;
        phrase.page = p.page;
        c.phrases.push_back(phrase);
    }
    const char* names[kPupilCount] = {"Anna Kowalska", "Jan Nowak", "Zofia Wiśniewska"};
    const std::int8_t maths[kPupilCount] = {4, 0, 2};
    const std::int8_t physics[kPupilCount] = {5, 6, 3};
    for (int i = 0; i < kPupilCount; ++i) {
        c.pupils.insert(static_cast<std::size_t>(i), kPhraseCount);
        TFrazy& values = c.pupils[static_cast<std::size_t>(i)].values;
        values[kName].text = cp(names[i]);
        values[kMaths].grade = maths[i];
        values[kPhysics].grade = physics[i];
        values[kEmblem].picture = "godlo";
    }
    c.screen.main = WindowRect{20, 30, 820, 630};
    c.screen.pupilGrid.fontName = "MS Sans Serif";
    c.screen.pupilGrid.cellWidth = 90;
    c.screen.pupilGrid.cellHeight = 16;
    c.screen.pupilGrid.columnWidths = {120, 90, 91, 92, 60};
    c.screen.pupilGrid.rowHeights = {16, 16, 16, 16, 16, 30, 16};
    c.screen.phraseEditor = WindowRect{1, 2, 303, 404};
    return c;
}

void WindowTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    auto fake = std::make_unique<FakeDialogs>();
    dialogs = fake.get();
    // The keys the program always had; the tests of the modern ones say so.
    setUserKeyScheme(KeyScheme::Classic);
    context = std::make_unique<ProgramContext>(
        QFile::encodeName(folder.path() + QLatin1Char('/')).toStdString(), std::move(fake));
}

void WindowTest::TearDown()
{
    // Nothing may ask anything while the windows go.
    markSaved();
    context.reset();
}

void WindowTest::setText(int pupil, int phrase, std::string text)
{
    editor().setCells(QStringLiteral("test"),
                      {{static_cast<std::size_t>(pupil), static_cast<std::size_t>(phrase),
                        ValueField::Text, std::move(text)}});
}

void WindowTest::setGrade(int pupil, int phrase, std::int8_t grade)
{
    editor().setCells(QStringLiteral("test"),
                      {{static_cast<std::size_t>(pupil), static_cast<std::size_t>(phrase),
                        ValueField::Grade, grade}});
}

void WindowTest::setWording(std::size_t index, std::string text)
{
    TOpcje options = doc().options();
    options.wordings.at(index) = std::move(text);
    editor().setOptions(options);
}

QString WindowTest::writeClass(const QString& name, const ClassFileContents& contents)
{
    QString path = folder.filePath(name);
    saveClassFileAt(QFile::encodeName(path).toStdString(), contents);
    return path;
}

void WindowTest::start(bool withSample)
{
    if (withSample)
        writeClass(QStringLiteral("Przyklad.wkz"), sampleClass());
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
}

QString WindowTest::columnHeader(int x)
{
    TTekstOczka ato(grid().InfoKolor(), TJustTyp::Lewo);
    grid().owner()->columnHeader(grid(), x, ato);
    return qstringFromCp1250(ato.tekst[0]);
}

QString WindowTest::rowHeader(int y, TKolor* colour)
{
    TTekstOczka ato(grid().InfoKolor(), TJustTyp::Lewo);
    grid().owner()->rowHeader(grid(), y, ato);
    if (colour)
        *colour = ato.kolor;
    return qstringFromCp1250(ato.tekst[0]);
}

QString WindowTest::cell(int x, int y, TKolor* colour)
{
    TTekstOczka ato(grid().OczkoKolor(), TJustTyp::Lewo);
    grid().owner()->cellText(grid(), x, y, ato);
    if (colour)
        *colour = ato.kolor;
    return qstringFromCp1250(ato.tekst[0]);
}

void WindowTest::select(int x1, int y1, int x2, int y2)
{
    grid().setPozX(x1);
    grid().setPozY(y1);
    grid().selectRange(GridRect{x1 + 1, y1 + 1, x2 + 1, y2 + 1});
}

void WindowTest::printCardsTo(const QString& pdf,
                              const std::function<void(PrintCardsDialog&)>& also)
{
    dialogs->inModal[QStringLiteral("printCardsDialog")] = [this, pdf, also](QDialog& d) {
        auto& print = static_cast<PrintCardsDialog&>(d);
        if (also)
            also(print);
        dialogs->saveAnswers.push_back(pdf);
        print.pdfButton().click();
        return int(QDialog::Accepted);
    };
}

}  // namespace wykazki
