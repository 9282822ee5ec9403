#include "commandline.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <system_error>

std::optional<ClassFileContents> readClassReporting(const std::string& path)
{
    try {
        return readClassFileAt(path);
    } catch (const EKolmoError& e) {
        for (const ErrorCode code : readFailureCodes(e.code()))
            std::cerr << errorMessage(code) << "\n";
        return std::nullopt;
    }
}

std::optional<std::string> outputProblem(const std::string& path)
{
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);  // follows links
    if (ec || !std::filesystem::exists(st) || std::filesystem::is_regular_file(st))
        return std::nullopt;  // missing or regular; other failures show when writing
    const char* what = std::filesystem::is_directory(st) ? "a folder" : "not a regular file";
    return path + " is " + what + "; refusing to replace it";
}

bool outputWritable(const std::string& command, const std::string& path)
{
    const auto problem = outputProblem(path);
    if (problem)
        std::cerr << "wkz " << command << ": " << *problem << "\n";
    return !problem;
}

void checkInputAndOutput(const std::string& command, const std::string& input,
                         const std::string& output)
{
    if (input.empty())
        throw UsageError{command + " needs a class file"};
    if (output.empty())
        throw UsageError{command + " needs -o OUT.pdf"};
    std::error_code ec;
    if (std::filesystem::equivalent(input, output, ec))
        throw UsageError{"-o names the class file itself"};
}

OutputCommandLine parseOutputCommandLine(const std::string& command,
                                         const std::vector<std::string>& args,
                                         const OptionHandler& takeOption)
{
    OutputCommandLine line;
    std::set<std::string> valuesGiven;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionValue value = [&]() -> const std::string& {
            if (!valuesGiven.insert(arg).second)
                throw UsageError{arg + " given twice"};
            if (i + 1 >= args.size())
                throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            line.help = true;
        } else if (arg == "-o") {
            line.output = value();
            if (line.output.empty())
                throw UsageError{"-o needs the name of the PDF to write"};
        } else if (takeOption(arg, value)) {
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (line.input.empty()) {
            line.input = arg;
        } else {
            std::string message(command);
            message.append(" takes one class file, unexpected '").append(arg).append("'");
            throw UsageError{message};
        }
    }
    if (!line.help)
        checkInputAndOutput(command, line.input, line.output);
    return line;
}

namespace {

// The command whose Qt messages are passed on; a message handler takes no
// context of its own.
std::string quietCommand;

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "wkz " << quietCommand << ": " << message.toStdString() << "\n";
}

}  // namespace

int writeFileWithQt(const std::string& command, QtApplicationKind kind, const std::string& output,
                    const std::function<bool(QIODevice& out)>& write)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietCommand = command;
    const QtMessageHandler previousHandler = qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    char qtName[] = "wkz";
    char* qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (kind == QtApplicationKind::Widgets)
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
    else
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);

    int status = 0;
    QSaveFile out(QFile::decodeName(QByteArray::fromStdString(output)));
    const auto cannotWrite = [&] {
        std::cerr << "wkz " << command << ": cannot write " << output << ": "
                  << out.errorString().toStdString() << "\n";
        status = kExitError;
    };
    const bool opened = out.open(QIODevice::WriteOnly);
    if (opened && !write(out))
        status = kExitError;  // the unfinished file is discarded
    else if (!opened || !out.commit())
        cannotWrite();
    app.reset();
    qInstallMessageHandler(previousHandler);
    return status;
}
