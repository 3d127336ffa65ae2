// service_helper.txt, which the GUI program writes beside the programs: its first line is the
// data folder the service is to run.
#pragma once

#include <string>

class ServiceHelperFile {
public:
    static const char kFileName[];

    // The running program's folder (with its trailing backslash) + kFileName.
    static std::string pathBesideProgram();

    // The file's first line, without its line end (CR LF, LF or a lone CR); the whole file when
    // it has no line end. False when the file cannot be opened or read.
    static bool readFirstLine(const std::string& path, std::string& line);
};
