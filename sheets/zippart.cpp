#include "sheets/zippart.h"

#include <quazip.h>
#include <quazipfile.h>

#include <algorithm>

namespace wykazki {

// The zip part as a device that ends at the limit and remembers having
// reached it; QXmlStreamReader pulls its pieces from here.
class ZipPart::Limited : public QIODevice {
public:
    explicit Limited(QIODevice& source) : source_(source) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool tooLarge() const { return tooLarge_; }
    bool failed() const { return failed_; }

protected:
    qint64 readData(char* data, qint64 most) override
    {
        if (tooLarge_ || failed_)
            return -1;
        // One byte past the limit tells a part of exactly the limit from a
        // larger one.
        const qint64 room = kSheetMostPartBytes + 1 - total_;
        const qint64 got = source_.read(data, std::min(most, room));
        if (got < 0) {
            failed_ = true;
            return -1;
        }
        total_ += got;
        if (total_ > kSheetMostPartBytes) {
            tooLarge_ = true;
            return -1;
        }
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& source_;
    qint64 total_ = 0;
    bool tooLarge_ = false;
    bool failed_ = false;
};

ZipPart::ZipPart(QuaZip& zip, QString fileName) : zip_(zip), fileName_(std::move(fileName))
{
}

ZipPart::~ZipPart()
{
    xml_.setDevice(nullptr);
    limited_.reset();
    if (file_ && file_->isOpen())
        file_->close();
}

bool ZipPart::open(const QString& name)
{
    name_ = name;
    if (!zip_.setCurrentFile(name, QuaZip::csSensitive))
        return false;
    file_ = std::make_unique<QuaZipFile>(&zip_);
    if (!file_->open(QIODevice::ReadOnly))
        return false;
    limited_ = std::make_unique<Limited>(*file_);
    xml_.setDevice(limited_.get());
    return true;
}

QString ZipPart::problem() const
{
    if (limited_ && limited_->tooLarge())
        return QStringLiteral("Plik %1 jest zbyt duży: część %2 zajmuje po rozpakowaniu "
                              "ponad %3 MB.")
            .arg(fileName_, name_)
            .arg(kSheetMostPartMegabytes);
    if (!limited_ || limited_->failed())
        return QStringLiteral("Plik %1 jest uszkodzony: nie można rozpakować części %2.")
            .arg(fileName_, name_);
    if (xml_.hasError())
        return QStringLiteral("Plik %1 jest uszkodzony: błąd w części %2, wiersz %3.")
            .arg(fileName_, name_)
            .arg(xml_.lineNumber());
    return {};
}

QString ZipPart::missingProblem() const
{
    return QStringLiteral("Plik %1 jest uszkodzony: brak części %2.").arg(fileName_, name_);
}

QString ZipPart::contentProblem() const
{
    return QStringLiteral("Plik %1 jest uszkodzony: niezrozumiała zawartość części %2.")
        .arg(fileName_, name_);
}

QString brokenWorkbookProblem(const QString& fileName)
{
    return QStringLiteral("Plik %1 nie jest poprawnym skoroszytem XLSX ani ODS "
                          "(uszkodzone archiwum ZIP).")
        .arg(fileName);
}

QString missingSheetProblem(const QString& fileName, int sheet)
{
    return QStringLiteral("Plik %1 nie ma arkusza numer %2.").arg(fileName).arg(sheet + 1);
}

bool nextChild(QXmlStreamReader& xml)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: return true;
        case QXmlStreamReader::EndElement: return false;
        default: break;
        }
    }
    return false;
}

namespace {

void refuseDepth(QXmlStreamReader& xml)
{
    xml.raiseError(QStringLiteral("nesting too deep"));
}

}  // namespace

void skipElement(QXmlStreamReader& xml)
{
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kSheetMostXmlDepth)
                refuseDepth(xml);
            break;
        case QXmlStreamReader::EndElement: --depth; break;
        default: break;
        }
    }
}

void gatherText(QXmlStreamReader& xml, CellText& text)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters: text.append(xml.text()); break;
        case QXmlStreamReader::StartElement: skipElement(xml); break;
        case QXmlStreamReader::EndElement: return;
        default: break;
        }
    }
}

}  // namespace wykazki
