// speak_sentences FILE N: the sentences the grade reader says for pupil N
// (counted from 1, as the grid numbers them) of a class file, one a line in
// UTF-8, so that CI can hand them to espeak-ng.

#include "speech/gradesentences.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <QString>
#include <QStringList>

#include <charconv>
#include <cstddef>
#include <cstring>
#include <iostream>

using namespace wykazki;

int main(int argc, char** argv)
{
    std::size_t number = 0;
    if (argc != 3) {
        std::cerr << "usage: speak_sentences FILE N\n";
        return 2;
    }
    const char* end = argv[2] + std::strlen(argv[2]);
    const auto parsed = std::from_chars(argv[2], end, number);
    if (parsed.ec != std::errc() || parsed.ptr != end || number == 0) {
        std::cerr << "speak_sentences: N must be a pupil number from 1\n";
        return 2;
    }
    Document doc;
    try {
        doc.takeOver(readClassFileAt(argv[1]));
    } catch (const EKolmoError& e) {
        for (const ErrorCode code : readFailureCodes(e.code()))
            std::cerr << errorMessage(code) << "\n";
        return 1;
    }
    const QStringList sentences = gradeSentences(doc, number - 1);
    if (sentences.isEmpty()) {
        std::cerr << "speak_sentences: the class has no pupil " << number << "\n";
        return 1;
    }
    for (const QString& sentence : sentences)
        std::cout << sentence.toStdString() << "\n";
    return 0;
}
