#include "link/sink_relays.h"

namespace rz {

SinkFan::SinkFan(std::initializer_list<OperationSink*> sinks) {
    for (OperationSink* sink : sinks)
        add(sink);
}

void SinkFan::add(OperationSink* sink) {
    if (sink)
        sinks_.push_back(sink);
}

void SinkFan::progressMaximum(int maximum) {
    each(&OperationSink::progressMaximum, maximum);
}
void SinkFan::progressValue(int value) {
    each(&OperationSink::progressValue, value);
}
void SinkFan::progressText(const QString& text) {
    each(&OperationSink::progressText, text);
}
void SinkFan::currentRow(int row) {
    each(&OperationSink::currentRow, row);
}
void SinkFan::recordRead(int row, const QByteArray& record) {
    each(&OperationSink::recordRead, row, record);
}
void SinkFan::clearRowsNotInUse(int first, int last) {
    each(&OperationSink::clearRowsNotInUse, first, last);
}
void SinkFan::blockRead(quint32 address, const QByteArray& data) {
    each(&OperationSink::blockRead, address, data);
}
void SinkFan::busyCode(quint16 code) {
    each(&OperationSink::busyCode, code);
}
void SinkFan::ended(const Outcome& outcome) {
    each(&OperationSink::ended, outcome);
}

} // namespace rz
