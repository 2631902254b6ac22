#include "files/data_set_diff.h"

#include "model/value_tables.h"
#include "settings/vocabulary.h"

namespace rz::diff {

namespace {

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString columnName(int column) {
    return column == ColTxTone ? QStringLiteral("transmit tone")
                               : tables::gridHeadings().at(column);
}

// A row is shown as the grid shows it; an empty row as "empty".
QStringList channelLines(const ChannelTable& a, const ChannelTable& b) {
    QStringList lines;
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        const QString label = QStringLiteral("%1 (row %2): ").arg(a.text(r, ColLabel)).arg(r);
        if (a.inUse(r) != b.inUse(r)) {
            lines << label + (a.inUse(r)
                                  ? QStringLiteral("%1 -> empty").arg(a.text(r, ColFrequency))
                                  : QStringLiteral("empty -> %1").arg(b.text(r, ColFrequency)));
            continue;
        }
        if (!a.inUse(r))
            continue;
        QStringList fields;
        for (int c = ColFrequency; c < GridColumnCount; ++c)
            if (c != ColTxTone && a.text(r, c) != b.text(r, c))
                fields << QStringLiteral("%1 %2 -> %3")
                              .arg(columnName(c), quoted(a.text(r, c)), quoted(b.text(r, c)));
        // The hidden transmit tone has no text after a read: its code tells.
        const int txA = a.codes(r).txTone, txB = b.codes(r).txTone;
        if (txA != txB)
            fields << QStringLiteral("transmit tone %1 -> %2")
                          .arg(quoted(tables::ctcssText(txA)), quoted(tables::ctcssText(txB)));
        if (!fields.isEmpty())
            lines << label + fields.join(QStringLiteral(", "));
    }
    return lines;
}

QStringList bankLines(const BankLayout& a, const BankLayout& b) {
    QStringList lines;
    for (int bank = 0; bank < BankLayout::BankCount; ++bank)
        if (a.size(bank) != b.size(bank))
            lines << QStringLiteral("Bank%1: %2 -> %3 channels")
                         .arg(bank, 2, 10, QLatin1Char('0'))
                         .arg(a.size(bank))
                         .arg(b.size(bank));
    return lines;
}

QString keyText(const OneTouchKey& key) {
    if (key.noSetting)
        return QStringLiteral("No Setting");
    return QStringLiteral("Bank%1-%2")
        .arg(key.bank, 2, 10, QLatin1Char('0'))
        .arg(key.channel, 3, 10, QLatin1Char('0'));
}

QStringList oneTouchLines(const OneTouchMemories& a, const OneTouchMemories& b) {
    QStringList lines;
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k)
        if (keyText(a.key(k)) != keyText(b.key(k)))
            lines << QStringLiteral("key %1: %2 -> %3")
                         .arg(k + 1)
                         .arg(keyText(a.key(k)), keyText(b.key(k)));
    return lines;
}

QString members(const BankLinkTable& table, int group) {
    QStringList banks;
    for (int bank = 0; bank < BankLinkTable::BankCount; ++bank)
        if (table.isMember(group, bank))
            banks << QStringLiteral("%1").arg(bank, 2, 10, QLatin1Char('0'));
    return banks.isEmpty() ? QStringLiteral("no bank") : QStringLiteral("banks ") + banks.join(' ');
}

QStringList bankLinkLines(const BankLinkTable& a, const BankLinkTable& b) {
    QStringList lines;
    for (int group = 0; group < BankLinkTable::GroupCount; ++group)
        if (members(a, group) != members(b, group))
            lines << QStringLiteral("link %1: %2 -> %3")
                         .arg(group + 1)
                         .arg(members(a, group), members(b, group));
    return lines;
}

QString entryText(settings::ListId id, int position) {
    const QStringList entries = settings::entries(id, settings::Language::English);
    return position >= 0 && position < entries.size() ? quoted(entries.at(position))
                                                      : QString::number(position);
}

QStringList settingsLines(const SettingsImage& a, const SettingsImage& b) {
    QStringList lines;
    for (const settings::ListId id : settings::allLists()) {
        if (a.position(id) == b.position(id))
            continue;
        // The object name tells apart lists of the same caption.
        const QString caption = settings::caption(id, settings::Language::English);
        lines << QStringLiteral("%1 (%2): %3 -> %4")
                     .arg(caption, settings::objectName(id), entryText(id, a.position(id)),
                          entryText(id, b.position(id)));
    }
    return lines;
}

} // namespace

QList<Area> compare(const DataSet& a, const DataSet& b) {
    QList<Area> areas{
        {QStringLiteral("channels"), channelLines(a.channels, b.channels)},
        {QStringLiteral("banks"), bankLines(a.banks, b.banks)},
        {QStringLiteral("one-touch keys"), oneTouchLines(a.oneTouch, b.oneTouch)},
        {QStringLiteral("bank links"), bankLinkLines(a.bankLinks, b.bankLinks)},
        {QStringLiteral("settings"), settingsLines(a.settings, b.settings)},
        {QStringLiteral("opening message"),
         a.settings.title() == b.settings.title()
             ? QStringList()
             : QStringList{quoted(a.settings.title()) + QStringLiteral(" -> ") +
                           quoted(b.settings.title())}},
    };
    QList<Area> differing;
    for (const Area& area : areas)
        if (!area.lines.isEmpty())
            differing << area;
    return differing;
}

} // namespace rz::diff
