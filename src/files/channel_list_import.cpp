// The common channel-list CSV into the channel table. Each line becomes the
// grid texts of one channel, which then pass the CSV import's own checks
// (range, value tables, step fit). A receiver does not transmit, so a
// transmit-only tone is dropped without loss; what the receiver cannot hold
// refuses the line or is changed, and either is reported.
#include "files/channel_list.h"

#include "files/csv_file.h"
#include "files/text_lines.h"
#include "model/code_page.h"
#include "model/value_tables.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace rz::channellist {

namespace {

constexpr qint64 UnitsPerMhz = 100000;     // 10 Hz units
constexpr qint64 LargestOffset = 99999995; // 999.99995 MHz
constexpr int NameBytes = 16;
const QString PlaceholderTone = QStringLiteral("88.5");

// A field's text by column name; a column the file lacks reads empty.
class Fields {
public:
    Fields(const QHash<int, int>& indexOf, const QStringList& fields, bool decimalComma)
        : indexOf_(indexOf), fields_(fields), decimalComma_(decimalComma) {}

    QString text(Column column) const {
        const int i = indexOf_.value(column, -1);
        return i >= 0 && i < fields_.size() ? fields_.at(i).trimmed() : QString();
    }
    bool has(Column column) const { return indexOf_.contains(column); }
    // A number as the file writes it, with a point.
    QString number(Column column) const {
        QString t = text(column);
        if (decimalComma_)
            t.replace(QLatin1Char(','), QLatin1Char('.'));
        return t;
    }

private:
    const QHash<int, int>& indexOf_;
    const QStringList& fields_;
    bool decimalComma_;
};

// MHz with any number of decimals in 10 Hz units; digits below 10 Hz must be
// zero, for the receiver cannot hold them.
std::optional<qint64> megahertz(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString fraction = m.captured(2);
    for (qsizetype i = 5; i < fraction.size(); ++i)
        if (fraction[i] != QLatin1Char('0'))
            return std::nullopt;
    return m.captured(1).toLongLong() * UnitsPerMhz +
           fraction.left(5).leftJustified(5, QLatin1Char('0')).toLongLong();
}

QString unitsText(qint64 units) {
    return QString::number(units / UnitsPerMhz) + QLatin1Char('.') +
           QString::number(units % UnitsPerMhz).rightJustified(5, QLatin1Char('0'));
}

// "88.5" -> the CTCSS index of "88.5Hz".
std::optional<int> toneIndex(const QString& hertz) {
    bool ok = false;
    const double value = hertz.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const qsizetype i =
        tables::ctcssTexts().indexOf(QString::number(value, 'f', 1) + QStringLiteral("Hz"));
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}

// "23" or "023" -> the DCS index of "023".
std::optional<int> dcsIndex(const QString& code) {
    if (code.isEmpty() || code.size() > 3)
        return std::nullopt;
    const qsizetype i = tables::dcsTexts().indexOf(code.rightJustified(3, QLatin1Char('0')));
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}

struct Squelch {
    QString type = QStringLiteral("None");
    int tone = tables::CtcssDefault;
    int dcs = 0;
};

// One line's channel, or why it cannot be carried.
class LineMapper {
public:
    LineMapper(const Fields& fields, const ChannelRow& target) : f_(fields), target_(target) {}

    // The channel's grid texts and codes, checked; empty refusal when stored.
    ChannelRow map() {
        ChannelRow row;
        const auto frequency = megahertz(f_.number(Frequency));
        if (!frequency)
            return refuse(QStringLiteral("frequency \"%1\" is not a frequency in MHz with at "
                                         "most five decimals")
                              .arg(f_.text(Frequency)));
        if (!csv::frequencyFieldAccepted(unitsText(*frequency)))
            return refuse(QStringLiteral("frequency %1 MHz is outside 0.05000-1299.99999 MHz")
                              .arg(f_.text(Frequency)));
        const QString mode = modeText();
        if (mode.isEmpty())
            return row;
        qint64 offset = 0;
        const QString shift = shiftText(*frequency, &offset);
        if (!refusal_.isEmpty())
            return row;
        const Squelch squelch = squelchOf();
        if (!refusal_.isEmpty())
            return row;
        const int step = chosenStep(*frequency, offset);

        auto& cells = row.cells;
        cells[ColFrequency] = unitsText(*frequency) + QStringLiteral("MHz");
        cells[ColMode] = mode;
        cells[ColStep] = tables::stepText(step);
        cells[ColTrain] = tables::trainText(tables::TrainDefault);
        cells[ColToneType] = squelch.type;
        cells[ColTxTone] = tables::ctcssText(target_.codes.txTone);
        cells[ColRxTone] = tables::ctcssText(squelch.tone);
        cells[ColDcs] = tables::dcsText(squelch.dcs);
        cells[ColShift] = shift;
        cells[ColOffset] = unitsText(offset) + QStringLiteral("MHz");
        cells[ColSkip] = skipText();
        cells[ColName] = nameText();
        row.codes = ChannelCodes();
        row.codes.txTone = target_.codes.txTone;
        const QString failure = csv::checkRow(row);
        if (!failure.isEmpty())
            return refuse(failure);
        if (row.codes.step != step)
            changes_ << QStringLiteral("step %1 does not fit the frequency: %2")
                            .arg(tables::stepText(step), row.text(ColStep));
        return row;
    }

    const QString& refusal() const { return refusal_; }
    const QStringList& changes() const { return changes_; }

private:
    ChannelRow refuse(const QString& why) {
        refusal_ = why;
        return ChannelRow();
    }

    QString modeText() {
        const QString mode = f_.text(Mode);
        if (mode.isEmpty()) {
            changes_ << QStringLiteral("no mode: FM");
            return QStringLiteral("FM");
        }
        if (tables::modeTexts().contains(mode))
            return mode;
        if (mode == QLatin1String("NAM")) {
            changes_ << QStringLiteral("mode NAM: AM");
            return QStringLiteral("AM");
        }
        static const QStringList digital = {"DV", "DN", "DMR", "DIG", "P25", "NXDN", "dPMR"};
        refuse(digital.contains(mode, Qt::CaseInsensitive)
                   ? QStringLiteral("digital mode %1 is not received").arg(mode)
                   : QStringLiteral("mode \"%1\" is not a mode of the receiver").arg(mode));
        return QString();
    }

    // The grid's shift text; *offset gets the offset in 10 Hz units.
    QString shiftText(qint64 frequency, qint64* offset) {
        const QString duplex = f_.text(Duplex).toLower();
        const QString offsetText = f_.number(Offset);
        const auto value = offsetText.isEmpty() ? std::optional<qint64>(0) : megahertz(offsetText);
        if (!value) {
            refuse(QStringLiteral("offset \"%1\" is not a frequency in MHz with at most five "
                                  "decimals")
                       .arg(f_.text(Offset)));
            return QString();
        }
        QString shift = QStringLiteral("Off");
        *offset = *value;
        if (duplex == QLatin1String("+") || duplex == QLatin1String("-")) {
            shift = duplex;
        } else if (duplex == QLatin1String("split")) {
            if (offsetText.isEmpty()) {
                refuse(QStringLiteral("Duplex split without the other frequency in Offset"));
                return QString();
            }
            *offset = std::abs(*value - frequency);
            shift = *value > frequency   ? QStringLiteral("+")
                    : *value < frequency ? QStringLiteral("-")
                                         : QStringLiteral("Off");
        } else if (!duplex.isEmpty() && duplex != QLatin1String("off")) {
            refuse(QStringLiteral("Duplex \"%1\" is not +, -, split or off").arg(f_.text(Duplex)));
            return QString();
        }
        if (*offset > LargestOffset) {
            if (shift != QLatin1String("Off"))
                changes_ << QStringLiteral("offset %1 MHz is over 999.99995 MHz: no shift")
                                .arg(unitsText(*offset));
            shift = QStringLiteral("Off");
            *offset = 0;
        }
        return shift;
    }

    // The receive tone of TSQL: cToneFreq, or rToneFreq where cToneFreq
    // only holds its placeholder (or the file has no such column).
    QString tsqlTone() const {
        const QString c = f_.number(CToneFreq);
        const QString r = f_.number(RToneFreq);
        const bool placeholder = c.isEmpty() || c.toDouble() == PlaceholderTone.toDouble();
        return placeholder && !r.isEmpty() ? r : c;
    }

    Squelch squelchOf() {
        const QString tone = f_.text(Tone);
        if (tone.isEmpty() || tone == QLatin1String("Tone"))
            return Squelch();
        if (tone == QLatin1String("TSQL"))
            return toneSquelch(tsqlTone());
        if (tone == QLatin1String("DTCS")) {
            const QString polarity = f_.text(DtcsPolarity);
            if (!polarity.isEmpty() && polarity != QLatin1String("NN"))
                changes_ << QStringLiteral("DCS polarity %1: NN").arg(polarity);
            return dcsSquelch(f_.text(DtcsCode));
        }
        if (tone == QLatin1String("Cross"))
            return crossSquelch();
        if (tone == QLatin1String("TSQL-R") || tone == QLatin1String("DTCS-R")) {
            changes_ << QStringLiteral("reverse squelch %1: None").arg(tone);
            return Squelch();
        }
        refuse(QStringLiteral("Tone \"%1\" is not a squelch of the format").arg(tone));
        return Squelch();
    }

    // Cross: only the receive half (after "->") matters to a receiver.
    Squelch crossSquelch() {
        const QString cross = f_.text(CrossMode);
        const qsizetype arrow = cross.indexOf(QLatin1String("->"));
        const QString sent = arrow < 0 ? QString() : cross.left(arrow);
        const QString received = arrow < 0 ? QString() : cross.mid(arrow + 2);
        const QStringList halves = {"", "Tone", "DTCS"};
        if (arrow < 0 || !halves.contains(sent) || !halves.contains(received) ||
            (sent.isEmpty() && received.isEmpty())) {
            refuse(QStringLiteral("CrossMode \"%1\" is not a cross mode of the format").arg(cross));
            return Squelch();
        }
        if (received == QLatin1String("Tone"))
            return toneSquelch(f_.number(CToneFreq));
        if (received == QLatin1String("DTCS"))
            return dcsSquelch(f_.has(RxDtcsCode) ? f_.text(RxDtcsCode) : f_.text(DtcsCode));
        return Squelch();
    }

    Squelch toneSquelch(const QString& hertz) {
        Squelch s;
        const auto index = toneIndex(hertz);
        if (!index)
            refuse(QStringLiteral("tone \"%1\" Hz is not a tone of the receiver").arg(hertz));
        s.type = QStringLiteral("TSQ");
        s.tone = index.value_or(tables::CtcssDefault);
        return s;
    }

    Squelch dcsSquelch(const QString& code) {
        Squelch s;
        const auto index = dcsIndex(code);
        if (!index)
            refuse(QStringLiteral("DCS code \"%1\" is not a code of the receiver").arg(code));
        s.type = QStringLiteral("DCS");
        s.dcs = index.value_or(0);
        return s;
    }

    // The step of the size the file names, else the fallback of the step
    // table (5 kHz, 6.25 kHz, 50 Hz).
    int chosenStep(qint64 frequency, qint64 offset) {
        const QString text = f_.number(TStep);
        bool ok = false;
        const double kilohertz = text.toDouble(&ok);
        if (ok) {
            const int size = qRound(kilohertz * 100);
            for (int i = 0; i < tables::StepCount; ++i)
                if (tables::stepSize(i) == size)
                    return i;
        }
        const int step = tables::fittedStep(int(frequency % UnitsPerMhz), int(offset % UnitsPerMhz),
                                            tables::Step5k);
        changes_ << (text.isEmpty()
                         ? QStringLiteral("no step: %1").arg(tables::stepText(step))
                         : QStringLiteral("step %1 kHz is not a step of the receiver: %2")
                               .arg(f_.text(TStep), tables::stepText(step)));
        return step;
    }

    QString skipText() {
        const QString skip = f_.text(Skip);
        if (skip.isEmpty())
            return QString();
        if (skip == QLatin1String("S"))
            return QStringLiteral("*");
        changes_ << (skip == QLatin1String("P")
                         ? QStringLiteral("priority mark P: no mark")
                         : QStringLiteral("skip mark \"%1\": no mark").arg(skip));
        return QString();
    }

    QString nameText() {
        const QString name = f_.text(Name);
        bool changed = false;
        const QString stored = receiverName(name, &changed);
        if (changed)
            changes_ << QStringLiteral("name \"%1\": \"%2\"").arg(name, stored);
        return stored;
    }

    const Fields& f_;
    const ChannelRow& target_;
    QString refusal_;
    QStringList changes_;
};

// Column -> field index; names compare without regard to case, the first of
// two equal names wins.
QHash<int, int> columnIndexes(const QStringList& heading) {
    QHash<int, int> indexes;
    for (int i = 0; i < heading.size(); ++i) {
        const qsizetype column = columnNames().indexOf(QRegularExpression(
            QRegularExpression::escape(heading.at(i).trimmed()),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::DontCaptureOption));
        if (column >= 0 && !indexes.contains(int(column)))
            indexes.insert(int(column), i);
    }
    return indexes;
}

const QString ErrorTitle = QStringLiteral(" Error");
const QString ListError = QStringLiteral("Channel List Error");

} // namespace

QString receiverName(const QString& name, bool* changed) {
    QString stored;
    int bytes = 0;
    bool replaced = false;
    bool cut = false;
    for (char32_t c : name.toUcs4()) {
        const bool representable = c >= 0x20 && (c == U'?' || cp932::charCode(c) != quint16('?'));
        const char32_t kept = representable ? c : U'?';
        replaced = replaced || !representable;
        const int length = cp932::charByteLength(kept);
        if (bytes + length > NameBytes) {
            cut = true;
            break;
        }
        bytes += length;
        stored += QString::fromUcs4(&kept, 1);
    }
    if (changed)
        *changed = replaced || cut;
    return stored;
}

bool isChannelList(const delimited::Table& table) {
    return !table.records.isEmpty() &&
           columnIndexes(table.records.first().fields).contains(Frequency);
}

ImportResult parseImport(const delimited::Table& table, const ChannelTable& current, int firstRow) {
    ImportResult result;
    if (!isChannelList(table)) {
        result.outcome = FileOutcome::failure(
            ListError, ErrorTitle, 1, QStringLiteral("the first line names no Frequency column"));
        return result;
    }
    const QHash<int, int> indexes = columnIndexes(table.records.first().fields);
    QList<FileNotice> notices;
    int next = firstRow;
    for (qsizetype i = 1; i < table.records.size(); ++i) {
        const delimited::Record& record = table.records.at(i);
        // A spreadsheet's empty rows (",,,,") hold no channel and take no row.
        if (std::all_of(record.fields.begin(), record.fields.end(),
                        [](const QString& field) { return field.trimmed().isEmpty(); }))
            continue;
        const int row = next++;
        const QString where = QStringLiteral("row %1: ").arg(row);
        if (row < 1 || row > LastImportRow) {
            notices << FileNotice{record.line,
                                  where + QStringLiteral("refused: only rows 1-%1 take channels, "
                                                         "not the bug-detector rows")
                                              .arg(LastImportRow)};
            ++result.refused;
            continue;
        }
        const Fields fields(indexes, record.fields, table.decimalComma);
        LineMapper mapper(fields, current.row(row));
        ChannelRow channel = mapper.map();
        if (!mapper.refusal().isEmpty()) {
            notices << FileNotice{record.line,
                                  where + QStringLiteral("refused: ") + mapper.refusal()};
            ++result.refused;
            continue;
        }
        if (!mapper.changes().isEmpty()) {
            notices << FileNotice{record.line, where + QStringLiteral("changed: ") +
                                                   mapper.changes().join(QStringLiteral("; "))};
            ++result.changed;
        }
        result.rows.push_back({row, std::move(channel)});
    }
    result.outcome = FileOutcome::success(
        QStringLiteral("Import channel list: %1 channels").arg(result.rows.size()),
        QStringLiteral(" Finish"));
    result.outcome.notices = notices;
    return result;
}

ImportResult importFile(const QString& path, const ChannelTable& current, int firstRow) {
    QString error;
    const QByteArray bytes = textfile::readFile(path, &error);
    if (!error.isEmpty()) {
        ImportResult result;
        result.outcome = FileOutcome::failure(ListError, ErrorTitle, 0, error);
        return result;
    }
    return parseImport(delimited::parse(bytes), current, firstRow);
}

void applyImport(const ImportResult& result, ChannelTable& table) {
    if (!result.outcome.ok || result.rows.empty())
        return;
    table.beginUpdate();
    for (const PlacedRow& placed : result.rows)
        table.setRow(placed.row, placed.channel);
    table.endUpdate();
}

} // namespace rz::channellist
