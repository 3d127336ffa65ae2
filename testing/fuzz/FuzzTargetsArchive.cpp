// The archive's string and count forms, read the way stored collections are: a count, then that
// many strings, until the data ends.
#include <string>
#include <vector>

#include "FuzzTarget.h"
#include "afx.h"

namespace {

std::string stored(void (*write)(CArchive&))
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::string bytes(static_cast<std::size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

}  // namespace

std::vector<FuzzTarget> archiveTargets()
{
    FuzzTarget archive;
    archive.name = "archive";
    archive.seeds = {
        stored([](CArchive& ar) {
            ar.WriteCount(3);
            ar << CString("") << CString("abc") << CString(std::string(300, 'x').c_str());
            ar.WriteCount(1);
            ar << CString(std::string(254, 'y').c_str());
        }),
        stored([](CArchive& ar) {
            ar.WriteCount(0x10000);   // the escaped count form
            ar << CString(std::string(0xFFFE, 'z').c_str()) << CString(std::string(255, 'w').c_str());
        }),
        stored([](CArchive& ar) {
            ar.WriteCount(0xFFFE);
            ar << CString("a") << CString("b");
            ar.WriteCount(0);
        }),
    };
    archive.tokens = {std::string("\xFF"), std::string("\xFF\xFF\xFF", 3), std::string("\xFF\xFE\xFF", 3),
                      std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7), std::string("\x00\x00", 2),
                      std::string("\xFE\xFF", 2)};
    archive.dnsNames = false;
    archive.maxInput = 256 * 1024;
    archive.memoryPerByte = 8;
    archive.run = [](const std::string& input) {
        std::vector<BYTE> data(input.begin(), input.end());
        if (data.empty())
            data.push_back(0);   // Attach needs a block; the length given is still 0
        CMemFile file;
        file.Attach(data.data(), static_cast<UINT>(input.size()));
        std::size_t textBytes = 0;
        try {
            CArchive ar(&file, CArchive::load);
            for (;;) {
                DWORD_PTR count = ar.ReadCount();
                for (DWORD_PTR i = 0; i < count; ++i) {
                    CString text;
                    ar >> text;
                    textBytes += static_cast<std::size_t>(text.GetLength());
                }
            }
        } catch (CException* e) {
            e->Delete();
        }
        file.Detach();
        if (textBytes > input.size())
            throw FuzzFailure(std::to_string(textBytes) + " bytes of text read from " +
                              std::to_string(input.size()) + " bytes");
    };
    return {archive};
}
