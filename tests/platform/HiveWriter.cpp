// Writes settings in a loop until killed: generation n of every value, value by value.
// argv[1]: the key; argv[2]: how many generations (0 = until killed); argv[3]: the first generation.
#include "platform/registry/Registry.h"

#include <cstdlib>

using namespace platform::registry;

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const quint32 first = argc > 3 ? quint32(std::atol(argv[3])) : 1;
    HKEY key = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, QString::fromLocal8Bit(argv[1]), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return 1;
    const long rounds = std::atol(argv[2]);
    for (quint32 gen = first; rounds == 0 || gen < first + quint32(rounds); ++gen) {
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            if (RegSetValueEx(key, QString::fromLatin1(name), REG_DWORD, reinterpret_cast<const quint8*>(&gen), 4)
                != ERROR_SUCCESS)
                return 1;
        }
    }
    return 0;
}
