// Feeds arbitrary bytes to the configuration-file reader as the file's
// content.
#include "files/config_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RZ-V70_Writer.INI"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const rz::config::PortSetting setting = rz::config::readPort(path);
    if (setting.port < 1 || setting.port > 16)
        __builtin_trap();
    return 0;
}
