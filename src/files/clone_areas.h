#pragma once
// The clone file's lines of the areas beside the channel table: the bank
// sizes ("BK"), the one-touch keys ("ONETOUCH_BANK", "ONETOUCH_CHDA"), the
// opening message ("TITLE"), the bank links ("GRD00".."GRD10", "GRI") and
// the settings lists ("SD00".."SD08"). Each reads into a pending copy of its
// model and applies it only when the whole file has been read.
#include "banks/bank_layout.h"
#include "banks/bank_link_table.h"
#include "banks/one_touch.h"
#include "files/clone_section.h"
#include "settings/settings_image.h"

namespace rz {
class ChannelTable;
}

namespace rz::clone {

constexpr int BankLineLength = 202;
constexpr int OneTouchLineLength = 40;
constexpr int GroupLineLength = 55;
constexpr int EmptyFlagLineLength = 53;
constexpr int TitleByteLimit = 32;

// "BK" and 50 four-digit sizes, saved only while the sizes add up to 1200.
// Its commit also relabels the grid rows, as every successful open does.
class BanksSection : public CloneSection {
public:
    BanksSection(BankLayout& banks, ChannelTable& channels) : banks_(banks), channels_(channels) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

    // The layout as the file read so far has it: what the one-touch lines
    // are checked against.
    const BankLayout& pending() const { return pending_; }

private:
    BankLayout& banks_;
    ChannelTable& channels_;
    BankLayout pending_;
};

// The two one-touch lines, saved only while the bank sizes add up to 1200.
class OneTouchSection : public CloneSection {
public:
    OneTouchSection(OneTouchMemories& keys, const BankLayout& banks, const BanksSection& reading)
        : keys_(keys), banks_(banks), reading_(reading) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

private:
    OneTouchMemories& keys_;
    const BankLayout& banks_;
    const BanksSection& reading_;
    OneTouchMemories pending_;
};

// "TITLE" and the opening message; a text over 32 bytes is not taken.
class TitleSection : public CloneSection {
public:
    explicit TitleSection(SettingsImage& settings) : settings_(settings) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

private:
    SettingsImage& settings_;
    QString pending_;
};

// "GRD" with the group number and one digit per bank, then "GRI" with the
// empty-bank flags. Lines of another length are skipped.
class BankLinksSection : public CloneSection {
public:
    explicit BankLinksSection(BankLinkTable& links) : links_(links) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

private:
    LineResult readGroup(const QString& line);
    LineResult readEmptyFlags(const QString& line);

    BankLinkTable& links_;
    BankLinkTable pending_;
};

// "SD00".."SD08": the positions of one list group each. After a file with
// an "SD00" line, "DET out" and "IQ output" are settled so that they are
// never both on.
class SettingsSection : public CloneSection {
public:
    explicit SettingsSection(SettingsImage& settings) : settings_(settings) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

private:
    SettingsImage& settings_;
    settings::Positions pending_{};
    bool recvRead_ = false;
};

// "SD03" and the positions, each as 3 digits ("007"), wider when above 999.
QString settingsLine(settings::Group group, const settings::Positions& positions);

} // namespace rz::clone
