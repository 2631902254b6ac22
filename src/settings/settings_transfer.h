#pragma once
// The settings transfers of the Setting and Set mode tabs: the receiver's
// settings area (three 64-byte blocks from 0x00000), its write-protection
// byte and, from the Set mode tab, the opening message at 0x001A0.
//
// What a read reports reaches the store sink as blocks: each settings block
// as it arrives (kept in the image), then the whole 192-byte area once (kept
// and decoded into the lists), the "Overwrite" position as one byte at the
// write-protection address, and the 34-byte opening-message area with its
// style already judged. A write's re-read reports the three blocks only, so
// the lists stay as the user left them.
#include "link/operation.h"
#include "settings/settings_lists.h"

#include <QString>
#include <optional>
#include <vector>

namespace rz {

class SettingsImage;

// Each exchange is tried three times.
constexpr int SettingsAttempts = 3;

// Whether the Set mode tab's buttons run the transfer: they move the opening
// message too.
enum class OpeningMessage { Without, With };

// What a write sends, taken from the settings on the user-interface thread.
struct SettingsToWrite {
    settings::Positions positions{};
    std::vector<settings::ListId> kept; // their bytes go back as re-read
    QString title;
    int style = 0;
};
SettingsToWrite settingsToWrite(const SettingsImage& settings);

class ReadSettings : public RegionOperation<70> {
public:
    explicit ReadSettings(Region region, OpeningMessage message = OpeningMessage::Without)
        : RegionOperation(region), message_(message) {}

protected:
    // Ends in "Success"; when some bytes were outside their lists the
    // outcome says which settings, and is shown even inside a sequence.
    Outcome execute(Session& s) const override;

private:
    OpeningMessage message_;
};

class WriteSettings : public RegionOperation<71> {
public:
    WriteSettings(Region region, SettingsToWrite data,
                  OpeningMessage message = OpeningMessage::Without)
        : RegionOperation(region), data_(std::move(data)), message_(message) {}

protected:
    Outcome execute(Session& s) const override;

private:
    SettingsToWrite data_;
    OpeningMessage message_;
};

// The opening message on its own: its identification, then the area.
class ReadOpeningMessage : public RegionOperation<ReadSettings::BusyCode> {
public:
    using RegionOperation::RegionOperation;
    // The steps inside a running settings read.
    std::optional<Outcome> steps(Session& s) const;

protected:
    Outcome execute(Session& s) const override;
};

class WriteOpeningMessage : public RegionOperation<WriteSettings::BusyCode> {
public:
    WriteOpeningMessage(Region region, QString title, int style)
        : RegionOperation(region), title_(std::move(title)), style_(style) {}
    std::optional<Outcome> steps(Session& s) const;

protected:
    Outcome execute(Session& s) const override;

private:
    QString title_;
    int style_;
};

// The store sink's decoders of what these reads report.
namespace settings {
// A 64-byte block at 0x00000, 0x00040 or 0x00080 is kept; the 192-byte area
// at 0x00000 is kept and decoded into the lists.
void storeSettingsRead(SettingsImage& settings, quint32 address, const QByteArray& data);
// One byte: the "Overwrite" position (a value outside the list keeps it).
void storeWriteProtection(SettingsImage& settings, const QByteArray& data);
// The 34-byte area: the message and its style.
void storeOpeningMessage(SettingsImage& settings, const QByteArray& data);

// "Volume(MAIN) (Setting_misc(1)), Overwrite (Set_Mode_Mem(0))".
QString listNames(const std::vector<ListId>& lists);
} // namespace settings

} // namespace rz
