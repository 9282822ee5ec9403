#include "zipfiles.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace wykazki {

bool writeZip(const QString& path, const QList<ZipPartSpec>& parts)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = true;
    for (const ZipPartSpec& part : parts) {
        QuaZipFile file(&zip);
        ok = ok && file.open(QIODevice::WriteOnly, QuaZipNewInfo(part.name));
        ok = ok && file.write(part.head) == part.head.size();
        for (qint64 i = 0; ok && i < part.repeat; ++i)
            ok = file.write(part.run) == part.run.size();
        ok = ok && file.write(part.tail) == part.tail.size();
        file.close();
    }
    zip.close();
    return ok && zip.getZipError() == 0;
}

namespace {

ZipPartSpec whole(const char* name, const QByteArray& data)
{
    return {QString::fromLatin1(name), data, {}, 0, {}};
}

}  // namespace

QList<ZipPartSpec> xlsxParts(const ZipPartSpec& sheetData, const QByteArray& sharedStrings,
                             const QByteArray& styles, const QByteArray& workbookPr)
{
    const QByteArray main = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    QList<ZipPartSpec> parts;
    parts.append(whole("_rels/.rels",
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                       "relationships\"><Relationship Id=\"rId1\" Type=\""
                           + rel
                           + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"));
    parts.append(whole("xl/workbook.xml",
                       "<workbook " + main + " xmlns:r=\"" + rel.chopped(1) + "\">" + workbookPr
                           + "<sheets><sheet name=\"Oceny\" sheetId=\"1\" r:id=\"rId1\"/>"
                             "<sheet name=\"Drugi\" sheetId=\"2\" r:id=\"rId9\"/></sheets>"
                             "</workbook>"));
    QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "relationships\"><Relationship Id=\"rId1\" Type=\""
                      + rel + "worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/>";
    if (!sharedStrings.isEmpty()) {
        rels += "<Relationship Id=\"rId2\" Type=\"" + rel
                + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.append(
            whole("xl/sharedStrings.xml", "<sst " + main + ">" + sharedStrings + "</sst>"));
    }
    if (!styles.isEmpty()) {
        rels += "<Relationship Id=\"rId3\" Type=\"" + rel + "styles\" Target=\"styles.xml\"/>";
        parts.append(
            whole("xl/styles.xml", "<styleSheet " + main + ">" + styles + "</styleSheet>"));
    }
    parts.append(whole("xl/_rels/workbook.xml.rels", rels + "</Relationships>"));
    ZipPartSpec sheet = sheetData;
    sheet.name = QStringLiteral("xl/worksheets/sheet1.xml");
    sheet.head = "<worksheet " + main + "><sheetData>" + sheet.head;
    sheet.tail += "</sheetData></worksheet>";
    parts.append(sheet);
    return parts;
}

QList<ZipPartSpec> odsParts(const ZipPartSpec& tableBody)
{
    ZipPartSpec content = tableBody;
    content.name = QStringLiteral("content.xml");
    content.head = "<office:document-content "
                   "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                   "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                   "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
                   "<office:spreadsheet><table:table table:name=\"Oceny\">"
                   + content.head;
    content.tail += "</table:table><table:table table:name=\"Drugi\"/></office:spreadsheet>"
                    "</office:body></office:document-content>";
    return {whole("mimetype", "application/vnd.oasis.opendocument.spreadsheet"), content};
}

}  // namespace wykazki
