#include "config/configuration.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const ParsedConfiguration parsed = parseConfiguration(content);
    // A rejected file must not leak any value to the window.
    if (!parsed.accepted && !(parsed == ParsedConfiguration()))
        std::abort();
    return 0;
}
