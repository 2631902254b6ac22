#include "files/clone_areas.h"

#include "files/text_lines.h"
#include "model/channel_table.h"
#include "model/code_page.h"

#include <numeric>

namespace rz::clone {

namespace {

const QString BankTag = QStringLiteral("BK");
const QString OneTouchBankTag = QStringLiteral("ONETOUCH_BANK");
const QString OneTouchChannelTag = QStringLiteral("ONETOUCH_CHDA");
const QString TitleTag = QStringLiteral("TITLE");
const QString GroupTag = QStringLiteral("GRD");
const QString EmptyFlagTag = QStringLiteral("GRI");
constexpr int BankFieldWidth = 4;
constexpr int OneTouchFieldWidth = 3;
constexpr int SettingsFieldWidth = 3;

QString padded(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// The number in a fixed field at a 1-based position, when the field is all
// digits; the writer never puts anything else there, so anything else is a
// damaged file.
bool digitField(const QString& line, int position, int width, int* value) {
    const QStringView text = QStringView(line).mid(position - 1, width);
    if (text.size() != width)
        return false;
    for (QChar c : text)
        if (!textfile::isAsciiDigit(c))
            return false;
    *value = textfile::leadingNumber(text);
    return true;
}

LineResult notDigits(const QString& what, const QString& line, int position, int width) {
    return LineResult::failed(QStringLiteral("%1 \"%2\" is not %3 digits")
                                  .arg(what, QStringView(line).mid(position - 1, width))
                                  .arg(width));
}

LineResult wrongLength(const QString& what, int length, int expected) {
    return LineResult::skipped(QStringLiteral("a %1 line has %2 characters, this one %3: skipped")
                                   .arg(what)
                                   .arg(expected)
                                   .arg(length));
}

} // namespace

// Banks

QStringList BanksSection::lines() const {
    if (!banks_.isConsistent())
        return {};
    QString line = BankTag;
    for (int size : banks_.sizes())
        line += padded(size, BankFieldWidth);
    return {line};
}

void BanksSection::begin() {
    pending_.setSizes(banks_.sizes());
}

bool BanksSection::claims(const QString& line) const {
    return line.startsWith(BankTag);
}

LineResult BanksSection::read(const QString& line) {
    if (line.size() != BankLineLength)
        return wrongLength(QStringLiteral("bank"), int(line.size()), BankLineLength);
    std::array<int, BankLayout::BankCount> sizes{};
    for (int b = 0; b < BankLayout::BankCount; ++b) {
        const int position = 3 + BankFieldWidth * b;
        if (!digitField(line, position, BankFieldWidth, &sizes[size_t(b)]))
            return notDigits(QStringLiteral("bank %1 size").arg(b), line, position, BankFieldWidth);
    }
    // The writer saves the bank line only for a layout of 1200 channels: one
    // of any other total would be dropped by the next save.
    const int total = std::accumulate(sizes.begin(), sizes.end(), 0);
    if (total != BankLayout::ChannelsInBanks)
        return LineResult::skipped(QStringLiteral("the bank sizes add up to %1, not %2: skipped")
                                       .arg(total)
                                       .arg(BankLayout::ChannelsInBanks));
    pending_.setSizes(sizes);
    return LineResult::read();
}

void BanksSection::commit() {
    banks_.setSizes(pending_.sizes());
    RefreshBankRowLabels(banks_, channels_);
}

// One-touch keys

QStringList OneTouchSection::lines() const {
    if (!banks_.isConsistent())
        return {};
    QString bankLine = OneTouchBankTag;
    QString channelLine = OneTouchChannelTag;
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k) {
        bankLine += padded(keys_.fileBankValue(k), OneTouchFieldWidth);
        channelLine += padded(keys_.fileChannelValue(k), OneTouchFieldWidth);
    }
    return {bankLine, channelLine};
}

void OneTouchSection::begin() {
    pending_.setKeys(keys_.keys());
}

bool OneTouchSection::claims(const QString& line) const {
    return line.startsWith(QLatin1String("ON"));
}

LineResult OneTouchSection::read(const QString& line) {
    if (line.size() < OneTouchLineLength)
        return LineResult::skipped(
            QStringLiteral("a one-touch line has 40 characters, this one %1: skipped")
                .arg(line.size()));
    const QString tag = line.left(OneTouchBankTag.size());
    const bool bankLine = tag == OneTouchBankTag;
    if (!bankLine && tag != OneTouchChannelTag)
        return LineResult::skipped(QStringLiteral("not a one-touch line: skipped"));
    std::array<int, OneTouchMemories::KeyCount> values{};
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k) {
        const int position = 14 + OneTouchFieldWidth * k;
        if (!digitField(line, position, OneTouchFieldWidth, &values[size_t(k)]))
            return notDigits(QStringLiteral("key %1").arg(k + 1), line, position,
                             OneTouchFieldWidth);
    }
    QStringList kept;
    const BankLayout& layout = reading_.pending();
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k) {
        const bool taken = bankLine ? pending_.applyFileBankValue(k, values[size_t(k)], layout)
                                    : pending_.applyFileChannelValue(k, values[size_t(k)], layout);
        if (!taken)
            kept << QString::number(k + 1);
    }
    if (kept.isEmpty())
        return LineResult::read();
    return LineResult::read(
        (bankLine ? QStringLiteral("keys %1 name no bank that holds channels: banks kept")
                  : QStringLiteral("keys %1 name no channel of their bank: channel 0"))
            .arg(kept.join(QStringLiteral(", "))));
}

void OneTouchSection::commit() {
    keys_.setKeys(pending_.keys());
}

// Title

QStringList TitleSection::lines() const {
    return {TitleTag + settings_.title()};
}

void TitleSection::begin() {
    pending_ = settings_.title();
}

bool TitleSection::claims(const QString& line) const {
    return line.startsWith(QLatin1String("TI"));
}

LineResult TitleSection::read(const QString& line) {
    if (line.size() <= TitleTag.size())
        return LineResult::read();
    const QString text = line.mid(TitleTag.size());
    if (cp932::byteLength(text) > TitleByteLimit)
        return LineResult::read(
            QStringLiteral("the title is longer than 32 bytes; the title is kept"));
    pending_ = text;
    return LineResult::read();
}

void TitleSection::commit() {
    settings_.setTitle(pending_);
}

// Bank links

QStringList BankLinksSection::lines() const {
    QStringList lines;
    for (int g = 0; g < BankLinkTable::GroupCount; ++g) {
        QString line = GroupTag + padded(g, 2);
        for (int b = 0; b < BankLinkTable::BankCount; ++b)
            line += links_.isMember(g, b) ? QLatin1Char('1') : QLatin1Char('0');
        lines << line;
    }
    QString flags = EmptyFlagTag;
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        flags += links_.emptyFlag(b) ? QLatin1Char('1') : QLatin1Char('0');
    return lines << flags;
}

void BankLinksSection::begin() {
    for (int b = 0; b < BankLinkTable::BankCount; ++b) {
        pending_.setEmptyFlag(b, links_.emptyFlag(b));
        for (int g = 0; g < BankLinkTable::GroupCount; ++g)
            pending_.setEntry(g, b, links_.entry(g, b));
    }
}

bool BankLinksSection::claims(const QString& line) const {
    return line.startsWith(QLatin1String("GR"));
}

LineResult BankLinksSection::read(const QString& line) {
    if (line.startsWith(GroupTag))
        return readGroup(line);
    if (line.startsWith(EmptyFlagTag))
        return readEmptyFlags(line);
    return LineResult::skipped(QStringLiteral("not a bank-link line: skipped"));
}

LineResult BankLinksSection::readGroup(const QString& line) {
    if (line.size() != GroupLineLength)
        return wrongLength(QStringLiteral("bank-link group"), int(line.size()), GroupLineLength);
    int group = 0;
    if (!digitField(line, 4, 2, &group))
        return notDigits(QStringLiteral("group"), line, 4, 2);
    if (group >= BankLinkTable::GroupCount)
        return LineResult::failed(QStringLiteral("group %1 is not one of 00 to 10").arg(group));
    std::array<int, BankLinkTable::BankCount> entries{};
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        if (!digitField(line, 6 + b, 1, &entries[size_t(b)]))
            return notDigits(QStringLiteral("bank %1 of group %2").arg(b).arg(group), line, 6 + b,
                             1);
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        pending_.setEntry(group, b, entries[size_t(b)]);
    return LineResult::read();
}

LineResult BankLinksSection::readEmptyFlags(const QString& line) {
    if (line.size() != EmptyFlagLineLength)
        return wrongLength(QStringLiteral("empty-bank"), int(line.size()), EmptyFlagLineLength);
    std::array<int, BankLinkTable::BankCount> flags{};
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        if (!digitField(line, 4 + b, 1, &flags[size_t(b)]))
            return notDigits(QStringLiteral("empty flag of bank %1").arg(b), line, 4 + b, 1);
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        pending_.setEmptyFlag(b, flags[size_t(b)] == 1);
    return LineResult::read();
}

void BankLinksSection::commit() {
    for (int b = 0; b < BankLinkTable::BankCount; ++b) {
        links_.setEmptyFlag(b, pending_.emptyFlag(b));
        for (int g = 0; g < BankLinkTable::GroupCount; ++g)
            links_.setEntry(g, b, pending_.entry(g, b));
    }
}

// Settings

QString settingsLine(settings::Group group, const settings::Positions& positions) {
    QString line = QStringLiteral("SD") + padded(int(group), 2);
    for (settings::ListId id : settings::listsOf(group))
        line += padded(positions[size_t(settings::flatIndex(id))], SettingsFieldWidth);
    return line;
}

QStringList SettingsSection::lines() const {
    QStringList lines;
    for (int g = 0; g < settings::GroupCount; ++g)
        lines << settingsLine(settings::Group(g), settings_.positions());
    return lines;
}

void SettingsSection::begin() {
    pending_ = settings_.positions();
    recvRead_ = false;
}

bool SettingsSection::claims(const QString& line) const {
    return line.startsWith(QLatin1String("SD"));
}

LineResult SettingsSection::read(const QString& line) {
    int number = 0;
    if (!digitField(line, 3, 2, &number) || number >= settings::GroupCount)
        return LineResult::skipped(
            QStringLiteral("\"%1\" is not one of SD00 to SD08: skipped").arg(line.left(4)));
    const settings::Group group = settings::Group(number);
    const std::vector<settings::ListId> lists = settings::listsOf(group);
    const int needed = 4 + SettingsFieldWidth * int(lists.size());
    if (line.size() < needed)
        return LineResult::failed(QStringLiteral("an SD%1 line has %2 characters, this one %3")
                                      .arg(padded(number, 2))
                                      .arg(needed)
                                      .arg(line.size()));
    settings::Positions next = pending_;
    for (size_t j = 0; j < lists.size(); ++j) {
        const int position = 5 + SettingsFieldWidth * int(j);
        int selection = 0;
        if (!digitField(line, position, SettingsFieldWidth, &selection))
            return notDigits(settings::objectName(lists[j]), line, position, SettingsFieldWidth);
        if (selection >= settings::entryCount(lists[j]))
            return LineResult::failed(QStringLiteral("%1 has %2 entries, not a position %3")
                                          .arg(settings::objectName(lists[j]))
                                          .arg(settings::entryCount(lists[j]))
                                          .arg(selection));
        next[size_t(settings::flatIndex(lists[j]))] = selection;
    }
    pending_ = next;
    recvRead_ = recvRead_ || group == settings::Group::Recv;
    return LineResult::read();
}

void SettingsSection::commit() {
    settings_.setPositions(pending_);
    if (recvRead_)
        settings_.settleDetAndIq();
}

} // namespace rz::clone
