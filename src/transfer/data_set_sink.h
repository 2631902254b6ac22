#pragma once
// The store sink: applies what a read reports to the data set. The window
// runs it on the user-interface thread (through the operation runner), the
// command-line tool directly; both give the same data set.
//
// Channel records go into the channel table as they arrive, with the
// table's change notifications held back from the first record to the end
// of the operation. A block of another area goes to the decoder registered
// for its address: an area's read reports each block it reads, and its
// decoder turns the bytes into the area's model.
#include "link/operation.h"
#include <functional>
#include <vector>

namespace rz {

struct DataSet;

class DataSetSink : public OperationSink {
public:
    // Decodes `data`, read at `address`, into the data set.
    using BlockDecoder = std::function<void(DataSet&, quint32 address, const QByteArray& data)>;
    struct BlockArea {
        quint32 first; // addresses first..last (inclusive) belong to the area
        quint32 last;
        BlockDecoder decode;
    };

    explicit DataSetSink(DataSet& data);
    ~DataSetSink() override;

    // Areas other than the channels register their decoders here.
    void addBlockArea(BlockArea area);

    void recordRead(int row, const QByteArray& record) override;
    void clearRowsNotInUse(int first, int last) override;
    void blockRead(quint32 address, const QByteArray& data) override;
    // The flags of the empty banks follow the layout before the links come.
    void bankLinkWindowOpens() override;
    // The end of a sequence's step or of the operation: the channel table's
    // held-back notifications go out.
    void stepEnded(const Outcome& outcome) override;
    void ended(const Outcome& outcome) override;

private:
    void release();

    DataSet& data_;
    std::vector<BlockArea> areas_;
    bool holding_ = false; // the channel table's notifications are held back
};

} // namespace rz
