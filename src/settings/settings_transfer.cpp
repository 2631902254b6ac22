#include "settings/settings_transfer.h"

#include "model/memory_map.h"
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"
#include "settings/vocabulary.h"

#include <QStringList>

namespace rz {

using namespace settings;

namespace {

constexpr int Blocks = SettingsImage::BlockCount;
constexpr int BlockSize = SettingsImage::BlockSize;
constexpr int ReadProgress[Blocks] = {10, 20, 35};
constexpr int WriteProgress[Blocks] = {50, 65, 80};
constexpr int DecodedProgress = 50;
constexpr int MessageProgress = 50;
constexpr quint8 NoPosition = 0xFF; // the write-protection reply named no entry

quint32 blockAddress(int block) {
    return memmap::SettingsBlock0 + quint32(block * BlockSize);
}

QString blockName(int block) {
    return QStringLiteral("settings block %1").arg(block);
}

void begin(Session& s) {
    s.sink().progressMaximum(100);
    s.sink().progressValue(0);
}

// The three blocks into `image`, each reported as it arrives.
std::optional<Outcome> readBlocks(Session& s, QByteArray& image) {
    image = QByteArray(SettingsImage::Size, '\0');
    for (int b = 0; b < Blocks; ++b) {
        s.resetFailures();
        s.progress(ReadProgress[b], ReadProgress[b]);
        QByteArray data;
        if (auto stop = s.readBlock(blockAddress(b), data, SettingsAttempts, blockName(b)))
            return stop; // the blocks read so far stay in the image
        image.replace(b * BlockSize, BlockSize, data);
        s.sink().blockRead(blockAddress(b), data);
    }
    return std::nullopt;
}

// The "Overwrite" position from the low digit of the byte as it came over
// the line; nothing when that names no entry.
std::optional<Outcome> readWriteProtection(Session& s, std::optional<int>& position) {
    s.resetFailures();
    QByteArray reply;
    if (auto stop = s.readBlockReply(memmap::WriteProtect, reply, SettingsAttempts,
                                     QStringLiteral("the write-protection byte")))
        return stop;
    position = overwritePosition(reply);
    s.sink().blockRead(memmap::WriteProtect,
                       QByteArray(1, char(position ? quint8(*position) : NoPosition)));
    return std::nullopt;
}

} // namespace

SettingsToWrite settingsToWrite(const SettingsImage& settings) {
    SettingsToWrite data;
    data.positions = settings.positions();
    data.kept = settings.keptLists();
    data.title = settings.title();
    data.style = settings.position(WelcomeStyle);
    return data;
}

Outcome ReadSettings::execute(Session& s) const {
    begin(s);
    if (auto stop = s.identify(region()))
        return *stop;
    QByteArray image;
    if (auto stop = readBlocks(s, image))
        return *stop;
    s.sink().blockRead(memmap::SettingsBlock0, image); // decoded into the lists
    Positions decoded = resetPositions();
    std::vector<ListId> outside = decodePositions(image, decoded);
    s.progress(DecodedProgress, DecodedProgress);

    std::optional<int> overwrite;
    if (auto stop = readWriteProtection(s, overwrite))
        return *stop;
    if (!overwrite)
        outside.push_back(Overwrite);
    if (message_ == OpeningMessage::With)
        if (auto stop = ReadOpeningMessage(region()).steps(s))
            return *stop;
    s.progress(100, 100);

    Outcome outcome = s.success();
    if (!outside.empty()) {
        // Not a silent success: the user learns which lists do not show the
        // receiver, even inside Read all.
        outcome.detail = QStringLiteral("Out of range, left as they were: ") + listNames(outside);
        outcome.showMessage = true;
    }
    return outcome;
}

Outcome WriteSettings::execute(Session& s) const {
    begin(s);
    if (auto stop = s.identify(region()))
        return *stop;
    // The re-read gives back every byte no list owns exactly as the receiver
    // has it.
    QByteArray image;
    if (auto stop = readBlocks(s, image))
        return *stop;
    for (int b = 0; b < Blocks; ++b) {
        s.resetFailures();
        s.progress(WriteProgress[b], WriteProgress[b]);
        encodeBlock(data_.positions, image, b, data_.kept);
        if (auto stop = s.writeBlock(blockAddress(b), image.mid(b * BlockSize, BlockSize),
                                     SettingsAttempts, blockName(b)))
            return *stop; // the blocks written before stay written
    }
    if (message_ == OpeningMessage::With)
        if (auto stop = WriteOpeningMessage(region(), data_.title, data_.style).steps(s))
            return *stop;
    s.progress(100, 100);
    return s.success();
}

std::optional<Outcome> ReadOpeningMessage::steps(Session& s) const {
    if (auto stop = s.identify(region()))
        return stop;
    s.progress(MessageProgress, MessageProgress);
    s.resetFailures();
    QByteArray reply;
    if (auto stop = s.readBlockReply(memmap::OpeningMessage, reply, SettingsAttempts,
                                     QStringLiteral("the opening message")))
        return stop;
    const opening::Read read = opening::decodeReply(reply);
    s.sink().blockRead(memmap::OpeningMessage, opening::areaBytes(read.text, read.style));
    return std::nullopt;
}

Outcome ReadOpeningMessage::execute(Session& s) const {
    begin(s);
    if (auto stop = steps(s))
        return *stop;
    s.progress(100, 100);
    return s.success();
}

std::optional<Outcome> WriteOpeningMessage::steps(Session& s) const {
    if (auto stop = s.identify(region()))
        return stop;
    s.progress(MessageProgress, MessageProgress);
    s.resetFailures();
    return s.writeBlock(memmap::OpeningMessage, opening::areaBytes(title_, style_),
                        SettingsAttempts, QStringLiteral("the opening message"));
}

Outcome WriteOpeningMessage::execute(Session& s) const {
    begin(s);
    if (auto stop = steps(s))
        return *stop;
    s.progress(100, 100);
    return s.success();
}

namespace settings {

void storeSettingsRead(SettingsImage& settings, quint32 address, const QByteArray& data) {
    if (address != memmap::SettingsBlock0 || data.size() != SettingsImage::Size) {
        const int block = int(address - memmap::SettingsBlock0) / BlockSize;
        if (address % BlockSize == 0)
            settings.storeBlock(block, data);
        return;
    }
    for (int b = 0; b < Blocks; ++b)
        settings.storeBlock(b, data.mid(b * BlockSize, BlockSize));
    DecodeSettings(settings);
}

void storeWriteProtection(SettingsImage& settings, const QByteArray& data) {
    if (data.size() == 1)
        settings.setPosition(Overwrite, quint8(data[0]));
}

void storeOpeningMessage(SettingsImage& settings, const QByteArray& data) {
    if (data.size() != opening::AreaBytes)
        return;
    const opening::Read read = opening::decodeArea(data);
    settings.setTitle(read.text);
    settings.setPosition(WelcomeStyle, read.style);
}

QString listNames(const std::vector<ListId>& lists) {
    QStringList names;
    for (ListId id : lists)
        names << QStringLiteral("%1 (%2)").arg(caption(id, Language::English), objectName(id));
    return names.join(QStringLiteral(", "));
}

} // namespace settings

} // namespace rz
