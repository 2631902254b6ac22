#pragma once
// The font window's transfers: the whole set ("Read ALL", "Write ALL") and
// the single character of the editor ("Read", "Write"). They wait the
// window's reply time (200 ms) and keep their own failure counts; the
// main window's failure counter and result flag are not theirs to judge.
//
// Read characters are reported as blocks at their addresses (32 bytes
// each); the store sink puts them into the font store.
#include "font/font_store.h"
#include "link/operation.h"

namespace rz {

// The transfer state COM_TYPE of the font window. While a transfer runs it
// is also the busy code the operation holds.
namespace fontstate {
constexpr quint16 Idle = 0;
constexpr quint16 WriteIdentSent = 1, WriteIdentWait = 11; // single write: identification
constexpr quint16 WriteFrameSent = 2, WriteReplyWait = 12; // single write: character frame
constexpr quint16 ReadIdentSent = 3, ReadIdentWait = 13;   // single read: identification
constexpr quint16 ReadFrameSent = 4, ReadReplyWait = 14;   // single read: read frame
constexpr quint16 WriteAll = 35, ReadAll = 37;
} // namespace fontstate

// Failed character exchanges a whole-set transfer allows over all eight.
constexpr int FontFailureLimit = 10;
// Reply-timer ticks a single exchange repeats its step for; the next one
// ends it with "Com Error".
constexpr int FontTickLimit = 20;

// "Read ALL": the eight characters. announce: "All Font Data Read" is
// shown on success (read-all mode 0).
class FontReadAll : public RegionOperation<fontstate::ReadAll> {
public:
    FontReadAll(Region region, bool announce) : RegionOperation(region), announce_(announce) {}

protected:
    Outcome execute(Session& s) const override;

private:
    bool announce_;
};

// "Write ALL": the eight characters given. announce: "All Font Data Write".
class FontWriteAll : public RegionOperation<fontstate::WriteAll> {
public:
    FontWriteAll(Region region, const FontStore::Characters& characters, bool announce)
        : RegionOperation(region), characters_(characters), announce_(announce) {}

protected:
    Outcome execute(Session& s) const override;

private:
    FontStore::Characters characters_;
    bool announce_;
};

// "Read": character `index`. announce: "Success Font Read".
class FontCharRead : public RegionOperation<fontstate::ReadIdentSent> {
public:
    FontCharRead(Region region, int index, bool announce)
        : RegionOperation(region), index_(index), announce_(announce) {}

protected:
    Outcome execute(Session& s) const override;

private:
    int index_;
    bool announce_;
};

// "Write": `character` as character `index`. announce: "Success Font Write".
class FontCharWrite : public RegionOperation<fontstate::WriteIdentSent> {
public:
    FontCharWrite(Region region, int index, const FontChar& character, bool announce)
        : RegionOperation(region), index_(index), character_(character), announce_(announce) {}

protected:
    Outcome execute(Session& s) const override;

private:
    int index_;
    FontChar character_;
    bool announce_;
};

} // namespace rz
