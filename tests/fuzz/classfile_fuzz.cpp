// libFuzzer target: any bytes given to the class-file reader either make a
// whole document that writes and reads back the same, or a read failure.

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace wykazki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ClassFileContents contents;
    try {
        contents = readClassFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EKolmoError& e) {
        if (e.code() != ErrorCode::ReadFailed && e.code() != ErrorCode::WrongVersion)
            std::abort();
        return 0;
    }
    for (const TDok& pupil : contents.pupils)
        if (pupil.values.count() != contents.phrases.count())
            std::abort();
    // What was read must survive a write and a second read unchanged
    // (NaN floats compare unequal, so compare the bytes instead).
    const std::string once = writeClassFile(contents);
    const std::string twice = writeClassFile(readClassFile(std::string_view(once)));
    if (once != twice)
        std::abort();
    return 0;
}
