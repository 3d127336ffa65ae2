// orv_fuzz TARGET|all [--count N] [--seed S] [--from I] [--max-input BYTES]
//   Runs the seeds of each named target, then N mutants (default 1000) numbered from I (default
//   0) made with seed S (default 1); --max-input changes the targets' longest input (to look for
//   work that grows faster than the input). Exit code 0 when every input kept every bound, 1 when one
//   broke a property or a bound, 3 on a crash and 4 on a hang (each reported with its input).
//   Targets: dns-udp dns-tcp dns-walk pop3 html options statistics archive (no network), and
//   pop3-wire smtp-wire (a server of its own on 127.0.0.1; "all" leaves these out).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Monitor/FileIo.h"
#include "FuzzRunner.h"

namespace {

std::string scratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = FileIo::join(temp, "orv-fuzz-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

int usage()
{
    std::fprintf(stderr, "usage: orv_fuzz TARGET[,TARGET...]|all [--count N] [--seed S] [--from I] [--max-input BYTES]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    std::string wanted = argv[1];
    unsigned long long count = 1000, seed = 1, from = 0, maxInput = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        unsigned long long value = std::strtoull(argv[i + 1], nullptr, 10);
        if (option == "--count")
            count = value;
        else if (option == "--seed")
            seed = value;
        else if (option == "--from")
            from = value;
        else if (option == "--max-input")
            maxInput = value;
        else
            return usage();
    }

    const std::string scratch = scratchFolder();
    std::vector<FuzzTarget> targets;
    for (auto family : {dnsTargets(), mailTextTargets(), htmlTargets(), itemFileTargets(scratch),
                        archiveTargets(), mailWireTargets()})
        targets.insert(targets.end(), family.begin(), family.end());

    int status = 0;
    bool any = false;
    for (FuzzTarget& target : targets) {
        bool wire = target.name.find("-wire") != std::string::npos;
        bool named = ("," + wanted + ",").find("," + target.name + ",") != std::string::npos;
        if (!(named || (wanted == "all" && !wire)))
            continue;
        any = true;
        if (maxInput > 0)
            target.maxInput = static_cast<std::size_t>(maxInput);
        FuzzSummary summary = FuzzRunner::run(target, count, seed, from);
        if (summary.failures > 0)
            status = 1;
    }
    FileIo::removeTree(scratch);
    if (!any)
        return usage();
    return status;
}
