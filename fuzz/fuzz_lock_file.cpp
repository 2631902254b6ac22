// Lock files of serial devices are outside input: any program may write one.
#include "link/port_problem.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray contents(reinterpret_cast<const char*>(data), int(size));
    const rz::LockFileText lock = rz::parseLockFile(contents);
    if (lock.pid < 0)
        std::abort();
    // A pid is only ever the first line's leading number.
    if (lock.pid > 0 && !contents.split('\n').first().contains(QByteArray::number(lock.pid)))
        std::abort();
    return 0;
}
