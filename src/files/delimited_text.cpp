#include "files/delimited_text.h"

namespace rz::delimited {

namespace {

const QChar Quote = QLatin1Char('"');

// The heading decides: more semicolons than commas outside quotes make a
// semicolon file.
QChar separatorOf(QStringView text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            break;
        if (c == Quote)
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char(','))
            ++commas;
        else if (!quoted && c == QLatin1Char(';'))
            ++semicolons;
    }
    return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

// An empty line; a line of empty fields is a record (an empty grid row).
bool isBlank(const QStringList& fields) {
    return fields.size() == 1 && fields.first().trimmed().isEmpty();
}

class Reader {
public:
    Reader(QStringView text, QChar separator) : text_(text), separator_(separator) {}

    QList<Record> records() {
        QList<Record> result;
        while (at_ < text_.size()) {
            Record record;
            record.line = line_;
            record.fields = readRecord();
            if (!isBlank(record.fields))
                result << record;
        }
        return result;
    }

private:
    QStringList readRecord() {
        QStringList fields;
        QString field;
        bool quoted = false;
        while (at_ < text_.size()) {
            const QChar c = text_[at_++];
            if (quoted) {
                if (c == Quote && at_ < text_.size() && text_[at_] == Quote) {
                    field += Quote;
                    ++at_;
                } else if (c == Quote) {
                    quoted = false;
                } else {
                    if (c == QLatin1Char('\n'))
                        ++line_;
                    field += c;
                }
            } else if (c == Quote) {
                quoted = true;
            } else if (c == separator_) {
                fields << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                ++line_;
                break;
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        fields << field;
        return fields;
    }

    QStringView text_;
    QChar separator_;
    qsizetype at_ = 0;
    int line_ = 1;
};

} // namespace

Table parse(const QString& text, QChar separator) {
    QStringView view(text);
    if (view.startsWith(QChar(0xFEFF)))
        view = view.mid(1);
    Table table;
    table.separator = separator;
    table.records = Reader(view, separator).records();
    return table;
}

Table parse(const QString& text) {
    const QStringView view(text);
    Table table = parse(text, separatorOf(view.startsWith(QChar(0xFEFF)) ? view.mid(1) : view));
    table.decimalComma = table.separator == QLatin1Char(';');
    return table;
}

Table parse(const QByteArray& utf8) {
    return parse(QString::fromUtf8(utf8));
}

QString joinRecord(const QStringList& fields, QChar separator) {
    QStringList out;
    for (const QString& field : fields) {
        const bool needsQuotes = field.contains(separator) || field.contains(Quote) ||
                                 field.contains(QLatin1Char('\n')) ||
                                 field.contains(QLatin1Char('\r'));
        if (!needsQuotes) {
            out << field;
            continue;
        }
        QString escaped = field;
        escaped.replace(Quote, QStringLiteral("\"\""));
        out << Quote + escaped + Quote;
    }
    return out.join(separator);
}

} // namespace rz::delimited
