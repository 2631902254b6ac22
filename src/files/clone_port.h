#pragma once
// The clone file's port line, "COMPORT07": saved with every clone file (and
// so in the configuration file); an open skips it, the start-up reads it.
#include "files/clone_section.h"

#include <functional>

namespace rz::clone {

class PortSection : public CloneSection {
public:
    // port() gives the selected port, 1..16, when the file is saved.
    explicit PortSection(std::function<int()> port) : port_(std::move(port)) {}

    QStringList lines() const override;
    void begin() override {}
    bool claims(const QString&) const override { return false; }
    LineResult read(const QString&) override { return LineResult::read(); }
    void commit() override {}

private:
    std::function<int()> port_;
};

} // namespace rz::clone
