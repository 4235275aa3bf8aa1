#include "platform/sys/CommandLine.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

// argv as given, program name first.
QStringList& arguments() {
    static QStringList args;
    return args;
}

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

void InitCommandLine(int argc, char** argv) {
    QStringList& args = arguments();
    args.clear();
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
}

void InitCommandLine(const QString& commandLine) {
    arguments() = SplitCommandLine(commandLine);
}

QString ParamStr(int index) {
    if (index == 0)
        return ApplicationExeName();
    const QStringList& args = arguments();
    return index > 0 && index < args.size() ? args.at(index) : QString();
}

int ParamCount() {
    const auto count = arguments().size();
    return count > 0 ? static_cast<int>(count - 1) : 0;
}

QStringList SplitCommandLine(const QString& commandLine) {
    QStringList result;
    qsizetype i = 0;
    const qsizetype n = commandLine.size();
    while (true) {
        while (i < n && isBlank(commandLine.at(i)))
            ++i;
        if (i >= n)
            break;
        QString argument;
        bool quoted = false;
        for (; i < n && (quoted || !isBlank(commandLine.at(i))); ++i) {
            const QChar c = commandLine.at(i);
            if (c == u'"')
                quoted = !quoted;
            else
                argument.append(c);
        }
        result.append(argument);
    }
    return result;
}

QString ExtractFilePath(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    return slash < 0 ? QString() : fileName.left(slash + 1);
}

QString ApplicationExeName() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && !exe.empty())
        return QFile::decodeName(exe.c_str());
    const QStringList& args = arguments();
    return args.isEmpty() || args.front().isEmpty() ? QString() : QFileInfo(args.front()).absoluteFilePath();
}
