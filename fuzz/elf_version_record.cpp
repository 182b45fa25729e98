// Version records are read from files the program did not make: any bytes must be read safely.
#include "common/mmFileVersion.h"
#include "platform/core/ElfNotes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/duopane-fuzz-elf-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const QString name = QString::fromStdString(path);
    (void)platform::ReadElfNotes(name);
    (void)mmFileVersion::FileVersionText(name);
    (void)mmFileVersion::VersionAtLeast(name, QStringLiteral("1.0.x.x"));
    return 0;
}
