// Another program that keeps files open, as a simulator or an editor may while Vantrel runs. It reads commands, one a
// line, on its standard input and answers each on its standard output:
//   hold <path>   opens the file for reading, on Windows sharing it for reading only (so that Windows refuses to
//                 rename, replace or delete it meanwhile); answers "held", or "failed"
//   release       closes the file held; answers "released"
// It ends at the end of its input.
#include <iostream>
#include <string>

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

int main()
{
#ifdef _WIN32
    HANDLE held = INVALID_HANDLE_VALUE;
#else
    int held = -1;
#endif
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("hold ", 0) == 0) {
            const std::string path = line.substr(5);
#ifdef _WIN32
            held = CreateFileW(vantrel::os::toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            const bool ok = held != INVALID_HANDLE_VALUE;
#else
            held = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            const bool ok = held >= 0;
#endif
            std::cout << (ok ? "held" : "failed") << std::endl;
        } else if (line == "release") {
#ifdef _WIN32
            if (held != INVALID_HANDLE_VALUE)
                CloseHandle(held);
            held = INVALID_HANDLE_VALUE;
#else
            if (held >= 0)
                ::close(held);
            held = -1;
#endif
            std::cout << "released" << std::endl;
        }
    }
    return 0;
}
