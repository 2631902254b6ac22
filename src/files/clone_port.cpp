#include "files/clone_port.h"

#include "files/config_file.h"

namespace rz::clone {

QStringList PortSection::lines() const {
    return {config::portLine(port_())};
}

} // namespace rz::clone
