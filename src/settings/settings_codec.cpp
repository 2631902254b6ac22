#include "settings/settings_codec.h"

#include "link/frames.h"
#include "model/memory_map.h"
#include "settings/function_tables.h"
#include "settings/settings_image.h"

#include <algorithm>

namespace rz {

namespace settings {

namespace {

constexpr int ImageSize = SettingsImage::Size;
constexpr int BlockSize = SettingsImage::BlockSize;

enum class Coding {
    Position,        // the byte holds the position
    PositionPlusOne, // the byte holds the position + 1
    KeyFunction,     // the byte holds the code of a key function
    RemoteFunction,  // the byte holds the code of a remote-keypad function
};

struct ByteList {
    ListId id;
    int byte;
    Coding coding = Coding::Position;
    int alsoWritten = -1; // a second byte that gets the same value, never read
};

ListId misc(int i) {
    return {Group::Misc, i};
}

// Every list kept in one byte. "Bar antenna" is read from byte 82 and was
// always written to byte 81 as well; it is written to both, so that what is
// written is what a read shows and what the receiver was always given.
const std::vector<ByteList>& byteLists() {
    using C = Coding;
    static const std::vector<ByteList> table{
        {misc(1), 2},
        {misc(2), 3},
        {misc(3), 4},
        {misc(4), 5},
        {misc(5), 71},
        {misc(6), 72},
        {misc(7), 93, C::PositionPlusOne},
        {misc(8), 94, C::PositionPlusOne},
        {misc(9), 44},
        {misc(14), 59},
        {misc(15), 122},
        {misc(16), 50, C::PositionPlusOne},
        {BarAntenna, 82, C::Position, 81},
        {{Group::Recv, 1}, 45},
        {{Group::Recv, 2}, 126},
        {DetOutput, 123},
        {IqOutput, 100},
        {{Group::Recv, 5}, 134, C::PositionPlusOne},
        {{Group::Recv, 6}, 91},
        {LanguageList, 64},
        {Illumination, 46, C::Position, 65},
        {{Group::Display, 2}, 96},
        {{Group::Display, 3}, 74, C::PositionPlusOne},
        {{Group::Display, 4}, 95},
        {{Group::Display, 6}, 138},
        {{Group::Power, 0}, 47},
        {{Group::Power, 1}, 48},
        {{Group::Power, 2}, 86},
        {{Group::Key, 0}, 97},
        {{Group::Key, 1}, 43},
        {{Group::Key, 2}, 42},
        {{Group::Key, 3}, 87},
        {{Group::Key, 4}, 78},
        {WildKey, 55, C::KeyFunction},
        {MoniKey, 80, C::KeyFunction},
        {{Group::Key, 8}, 41},
        {{Group::Key, 9}, 54},
        {{Group::Key, 10}, 121},
        {{Group::Scan, 0}, 37},
        {{Group::Scan, 1}, 39},
        {{Group::Scan, 2}, 38},
        {{Group::Scan, 3}, 40},
        {ScanSpeed, 57, C::Position, 58},
        {{Group::Mem, 1}, 137},
        {{Group::Sound, 0}, 49},
        {{Group::Sound, 1}, 32},
        {{Group::Sound, 2}, 92},
        {{Group::Remocon, 0}, 127, C::RemoteFunction},
        {{Group::Remocon, 1}, 128, C::RemoteFunction},
        {{Group::Remocon, 2}, 129, C::RemoteFunction},
        {{Group::Remocon, 3}, 130, C::RemoteFunction},
    };
    return table;
}

// Bytes of the two-byte and shared codings.
constexpr int SingleBandFlag = 67;
constexpr int OperatedBand = 63;
constexpr int AudioCut = 101;
constexpr int MainMode = 6;
constexpr int MainModeShown = 61;
constexpr int SubMode = 7;
constexpr int DialRingFirst = 77;
constexpr int DialRingSecond = 79;

constexpr int ShownModes = 3;    // "VFO", "Preset", "Memory"
constexpr int SubModeMemory = 2; // what byte 7 holds for "Memory"

const std::vector<FunctionEntry>& functionsOf(Coding coding) {
    return coding == Coding::KeyFunction ? keyFunctions() : remoteFunctions();
}

class Decoder {
public:
    Decoder(const QByteArray& image, Positions& positions) : image_(image), positions_(positions) {
        image_.resize(ImageSize, '\0');
    }

    int at(int index) const { return quint8(image_[index]); }

    // A position the list has, or a failure of that list.
    void put(ListId id, int position) {
        if (position >= 0 && position < entryCount(id))
            positions_[size_t(flatIndex(id))] = position;
        else
            failed_.push_back(id);
    }

    // A function code found in its table; without a match the list stays.
    void putFunction(ListId id, Coding coding, int code) {
        const int position = positionOfCode(functionsOf(coding), code);
        if (position >= 0)
            put(id, position);
    }

    std::vector<ListId> failed() const { return failed_; }

private:
    QByteArray image_;
    Positions& positions_;
    std::vector<ListId> failed_;
};

void decodeSpecial(Decoder& d) {
    const bool single = d.at(SingleBandFlag) != 0;
    const bool sub = d.at(OperatedBand) != 0;
    d.put(OperationStatus, (single ? 0 : 2) + (sub ? 1 : 0));

    const int cut = d.at(AudioCut);
    if (cut <= 3) {
        d.put(AudioHighCut, cut & 1);
        d.put(AudioLowCut, cut >> 1);
    }

    // Byte 6 holds modes the list does not show; byte 61 then says what to show.
    const int mode = d.at(MainMode);
    const int shown = d.at(MainModeShown);
    d.put(OperationModeMain, mode < ShownModes ? mode : shown < ShownModes ? shown : 0);
    d.put(OperationModeSub, d.at(SubMode) == SubModeMemory ? 1 : 0);

    const bool first = d.at(DialRingFirst) != 0;
    const bool second = d.at(DialRingSecond) != 0;
    d.put(DialRing, first ? (second ? 2 : 3) : (second ? 1 : 0));
}

// Writes only the bytes of one block.
class BlockWriter {
public:
    BlockWriter(QByteArray& image, int block) : image_(image), block_(block) {}
    void set(int index, int value) {
        if (index / BlockSize == block_ && index < image_.size())
            image_[index] = char(quint8(value));
    }
    int at(int index) const { return index < image_.size() ? quint8(image_[index]) : 0; }

private:
    QByteArray& image_;
    int block_;
};

int codedValue(const ByteList& list, int position) {
    switch (list.coding) {
    case Coding::Position:
        break;
    case Coding::PositionPlusOne:
        return position + 1;
    case Coding::KeyFunction:
    case Coding::RemoteFunction: {
        const std::vector<FunctionEntry>& table = functionsOf(list.coding);
        return position >= 0 && position < int(table.size()) ? table[size_t(position)].code : 0;
    }
    }
    return position;
}

void encodeSpecial(const Positions& positions, BlockWriter& w) {
    auto pos = [&](ListId id) { return positions[size_t(flatIndex(id))]; };

    const int status = pos(OperationStatus); // single/MAIN, single/SUB, dual/MAIN, dual/SUB
    w.set(SingleBandFlag, status < 2 ? 1 : 0);
    w.set(OperatedBand, status % 2);

    w.set(AudioCut, pos(AudioHighCut) + 2 * pos(AudioLowCut));

    // Judged on byte 6 as read: a mode the list does not show stays in place.
    if (w.at(MainMode) >= ShownModes)
        w.set(MainModeShown, pos(OperationModeMain));
    else
        w.set(MainMode, pos(OperationModeMain));
    w.set(SubMode, pos(OperationModeSub) == 1 ? SubModeMemory : 0);

    const int ring = pos(DialRing);
    w.set(DialRingFirst, ring < 2 ? 0 : 1);
    w.set(DialRingSecond, ring == 0 || ring == 3 ? 0 : 1);
}

} // namespace

std::vector<ListId> decodePositions(const QByteArray& image, Positions& positions) {
    Decoder d(image, positions);
    for (const ByteList& list : byteLists()) {
        const int value = d.at(list.byte);
        switch (list.coding) {
        case Coding::Position:
            d.put(list.id, value);
            break;
        case Coding::PositionPlusOne:
            d.put(list.id, value - 1);
            break;
        case Coding::KeyFunction:
        case Coding::RemoteFunction:
            d.putFunction(list.id, list.coding, value);
            break;
        }
    }
    decodeSpecial(d);
    return d.failed();
}

void encodeBlock(const Positions& positions, QByteArray& image, int block,
                 const std::vector<ListId>& kept) {
    BlockWriter w(image, block);
    for (const ByteList& list : byteLists()) {
        // Only lists kept in one byte can hold a value they do not show.
        if (std::find(kept.begin(), kept.end(), list.id) != kept.end())
            continue;
        const int value = codedValue(list, positions[size_t(flatIndex(list.id))]);
        w.set(list.byte, value);
        if (list.alsoWritten >= 0)
            w.set(list.alsoWritten, value);
    }
    encodeSpecial(positions, w);
}

std::optional<int> overwritePosition(const QByteArray& reply) {
    constexpr int LowDigitAt = frames::ReadDataOffset + 1;
    if (reply.size() <= LowDigitAt)
        return std::nullopt;
    const int digit = quint8(reply[LowDigitAt]);
    const int position = digit < '0' ? 0 : digit - '0';
    if (position >= entryCount(Overwrite))
        return std::nullopt;
    return position;
}

} // namespace settings

std::vector<settings::ListId> DecodeSettings(SettingsImage& settings) {
    settings::Positions positions = settings.positions();
    const std::vector<settings::ListId> failed =
        settings::decodePositions(settings.bytes(), positions);
    settings.setPositions(positions);
    settings.keepBytesOf(failed);
    return failed;
}

QByteArray EncodeSettingsBlock(SettingsImage& settings, int block) {
    if (block < 0 || block >= SettingsImage::BlockCount)
        return QByteArray();
    QByteArray image = settings.bytes();
    settings::encodeBlock(settings.positions(), image, block, settings.keptLists());
    for (int i = block * SettingsImage::BlockSize; i < (block + 1) * SettingsImage::BlockSize; ++i)
        settings.setByte(i, quint8(image[i]));
    return frames::blockWrite(memmap::SettingsBlock0 + quint32(block * SettingsImage::BlockSize),
                              settings.block(block));
}

bool ApplyWriteProtection(SettingsImage& settings, const QByteArray& reply) {
    const std::optional<int> position = settings::overwritePosition(reply);
    return position && settings.setPosition(settings::Overwrite, *position);
}

} // namespace rz
