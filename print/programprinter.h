#pragma once
// The program's one printer: high resolution and the full page with no
// margins, so that millimetres on a card count from the sheet's edge.

#include <memory>

class QPrinter;

std::unique_ptr<QPrinter> makeProgramPrinter();
