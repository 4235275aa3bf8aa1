#pragma once
// The program's command line and its own file name, read as the platform reads them.

#include <QString>
#include <QStringList>

// Keeps the arguments main() was given; call once, before anything reads them.
void InitCommandLine(int argc, char** argv);
// The same from one whole command-line string (program name first), split by SplitCommandLine.
void InitCommandLine(const QString& commandLine);

// ParamStr(0) is the running executable's absolute path; ParamStr(1) the first argument. An index
// past the last argument (or below 0) gives empty text.
QString ParamStr(int index);
// The number of arguments, the program name not counted.
int ParamCount();

// Splits a command line into its arguments: blanks separate them, a stretch in double quotes may hold
// blanks, and the quotes are not part of the argument ("" on its own is an empty argument).
QStringList SplitCommandLine(const QString& commandLine);

// The folder part of a file name, with its trailing separator; empty text when there is none.
QString ExtractFilePath(const QString& fileName);

// Absolute path of the running executable (from the system; argv[0] made absolute when that fails).
QString ApplicationExeName();
