#pragma once
// What a print job of report cards is called and how it is described to
// the teacher: the job's title in the print queue, the Polish count of
// cards, and the scanned blank form a proof print draws under the texts.

#include <QString>

#include <cstddef>

class QImage;
class QPainter;
class QSizeF;

namespace wykazki {

// "1 świadectwo", "2 świadectwa", "5 świadectw", "22 świadectwa", "112 świadectw".
QString certificatesText(std::size_t count);
// "1 kopia", "2 kopie", "5 kopii".
QString copiesText(int count);

// The queue's title of a card job: "Świadectwa – 7a – strona 1" for the
// class file 7a.wkz (its name without folder and extension; "bez nazwy"
// for a class never saved) and page 0 (pages count from 0).
QString cardJobTitle(const QString& classFile, int page);
// The queue's title of a table job: "Tabela – <title>".
QString tableJobTitle(const QString& title);

// Where a scanned form of `imageSize` pixels at `dotsPerMeterX/Y` lies on
// a sheet of sheetMm, in millimetres from the sheet's corner: at its own
// resolution when that makes it 80 % to 105 % of the sheet both ways (a
// scan of the whole form keeps its true scale), otherwise stretched over
// the whole sheet.
QSizeF formScanSizeMm(const QImage& scan, const QSizeF& sheetMm);

// Draws the scanned form from the sheet's corner, unshifted (it stands for
// the paper itself), at pixelsPerMm of the painter's device.
void drawFormScan(QPainter& painter, const QImage& scan, const QSizeF& sheetMm, double pixelsPerMm);

// "WYDRUK PRÓBNY", small and grey in the sheet's top right corner.
void drawProofMark(QPainter& painter, const QSizeF& sheetMm, double pixelsPerMm);

// The PDF and print engines allocate and free a few large buffers for every
// page; by default glibc hands them back to the kernel each time, so every
// page faults them in afresh and clears them. While a PageBuffers lives
// they stay in the process (a few megabytes; about a tenth of a long job's
// time); at its end the allocator's default values come back (its mapping
// threshold no longer adapting) and what the job kept is returned. One job
// at a time: the setting is the process's.
class PageBuffers {
public:
    PageBuffers();
    ~PageBuffers();
    PageBuffers(const PageBuffers&) = delete;
    PageBuffers& operator=(const PageBuffers&) = delete;
};

}  // namespace wykazki
