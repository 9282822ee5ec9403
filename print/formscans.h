#pragma once
// The scanned blank forms of a class, one per page of the form, for the
// preview and the proof print. They are kept beside the class file in a
// small file of their own, "<class file>.formularz.json", never in the
// class file: a file opened by an older version of the program is printed
// exactly as before, and a real print never draws a scan.
//
//   {"wersja": 1, "strony": {"1": "skany/strona1.png", "3": "s3.jpg"}}
//
// Names are relative to the class file's folder (absolute ones are kept as
// they are). A missing, damaged or oversized file holds no scans.

#include <QImage>
#include <QString>

#include <array>

namespace wykazki {

class FormScans {
public:
    static constexpr int kPages = 4;
    // The sidecar file of a class file.
    static QString sidecarPath(const QString& classFile);

    // Reads the sidecar of classFile; nothing when there is none or it is
    // not what it should be.
    static FormScans load(const QString& classFile);
    // Writes the sidecar whole or not at all (an empty set removes it).
    // False with problem set when it could not be written.
    bool save(const QString& classFile, QString* problem = nullptr) const;

    // The name stored for page 0..3 (empty: none) and where it points.
    QString name(int page) const;
    QString absolutePath(int page, const QString& classFile) const;
    // Stores imagePath for page, relative to the class file's folder when
    // it lies inside it; an empty path forgets the page's scan.
    void set(int page, const QString& imagePath, const QString& classFile);
    bool isEmpty() const;

    // The scan of page for classFile, or a null image with problem set
    // ("brak pliku", "to nie jest obraz", …). Regular files only, at most
    // 64 MB, decoded within Qt's allocation limit.
    QImage image(int page, const QString& classFile, QString* problem = nullptr) const;

    bool operator==(const FormScans&) const = default;

private:
    std::array<QString, kPages> names_;
};

}  // namespace wykazki
