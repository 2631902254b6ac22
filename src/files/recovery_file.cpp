#include "files/recovery_file.h"

#include "files/text_lines.h"
#include "settings/settings_lists.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace rz::recovery {

namespace {

const char Magic[] = "RZ-V70 recovery";

void put(QDataStream& out, const ChannelRow& row) {
    for (const QString& cell : row.cells)
        out << cell;
    const ChannelCodes& c = row.codes;
    out << c.txTone << c.rxTone << c.dcs << c.train << c.step << c.inUse;
}

bool get(QDataStream& in, ChannelRow& row) {
    for (QString& cell : row.cells)
        in >> cell;
    ChannelCodes& c = row.codes;
    in >> c.txTone >> c.rxTone >> c.dcs >> c.train >> c.step >> c.inUse;
    return in.status() == QDataStream::Ok;
}

template <typename T, size_t N> bool getInts(QDataStream& in, std::array<T, N>& values) {
    for (T& v : values) {
        qint32 n = 0;
        in >> n;
        v = T(n);
    }
    return in.status() == QDataStream::Ok;
}

bool validKeys(const std::array<OneTouchKey, OneTouchMemories::KeyCount>& keys) {
    for (const OneTouchKey& k : keys)
        if (k.bank < OneTouchKey::NoBank || k.bank >= BankLayout::BankCount || k.channel < 0 ||
            k.channel >= OneTouchMemories::MaxChannelPositions)
            return false;
    return true;
}

bool getSettings(QDataStream& in, SettingsImage::State& s) {
    in >> s.bytes >> s.detEnabled >> s.iqEnabled >> s.title;
    if (!getInts(in, s.positions))
        return false;
    quint32 kept = 0;
    in >> kept;
    if (kept > quint32(settings::ListCount))
        return false;
    for (quint32 i = 0; i < kept; ++i) {
        qint32 group = 0, index = 0;
        in >> group >> index;
        if (group < 0 || group >= settings::GroupCount)
            return false;
        s.kept.push_back({settings::Group(group), index});
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

QByteArray encode(const DataSetSnapshot& s) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out.writeRawData(Magic, sizeof Magic);
    out << Version << quint32(s.rows.size());
    for (const ChannelRow& row : s.rows)
        put(out, row);
    for (int size : s.bankSizes)
        out << qint32(size);
    for (const OneTouchKey& k : s.oneTouch)
        out << qint32(k.bank) << qint32(k.channel) << k.noSetting;
    for (quint8 e : s.linkEntries)
        out << e;
    for (bool empty : s.emptyBanks)
        out << empty;
    out << s.settings.bytes << s.settings.detEnabled << s.settings.iqEnabled << s.settings.title;
    for (int p : s.settings.positions)
        out << qint32(p);
    out << quint32(s.settings.kept.size());
    for (settings::ListId id : s.settings.kept)
        out << qint32(id.group) << qint32(id.index);
    for (const FontChar& c : s.font)
        out << encodeFontChar(c);
    return bytes;
}

std::optional<DataSetSnapshot> decode(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    char magic[sizeof Magic] = {};
    quint32 version = 0, rowCount = 0;
    if (in.readRawData(magic, sizeof magic) != int(sizeof magic) ||
        QByteArray(magic, sizeof magic) != QByteArray(Magic, sizeof Magic))
        return std::nullopt;
    in >> version >> rowCount;
    if (version != Version || rowCount != quint32(ChannelTable::RowCount))
        return std::nullopt;
    DataSetSnapshot s;
    s.rows.resize(rowCount);
    for (ChannelRow& row : s.rows)
        if (!get(in, row))
            return std::nullopt;
    if (!getInts(in, s.bankSizes))
        return std::nullopt;
    for (OneTouchKey& k : s.oneTouch) {
        qint32 bank = 0, channel = 0;
        in >> bank >> channel >> k.noSetting;
        k.bank = bank;
        k.channel = channel;
    }
    for (quint8& e : s.linkEntries)
        in >> e;
    for (bool& empty : s.emptyBanks)
        in >> empty;
    if (!getSettings(in, s.settings))
        return std::nullopt;
    for (FontChar& c : s.font) {
        QByteArray dots;
        in >> dots;
        if (dots.size() != FontChar::Bytes)
            return std::nullopt;
        c = decodeFontChar(dots);
    }
    // Only what the models themselves could hold is taken.
    const bool sizesFit = std::all_of(s.bankSizes.begin(), s.bankSizes.end(),
                                      [](int n) { return n >= 0 && n <= BankLayout::MaxSize; });
    const bool entriesFit = std::all_of(s.linkEntries.begin(), s.linkEntries.end(),
                                        [](quint8 e) { return e <= BankLinkTable::EmptyBank; });
    SettingsImage probe;
    if (in.status() != QDataStream::Ok || !in.atEnd() || !sizesFit || !entriesFit ||
        !validKeys(s.oneTouch) || !probe.restore(s.settings))
        return std::nullopt;
    return s;
}

Result write(const QString& path, const DataSetSnapshot& snapshot) {
    QString error;
    if (!textfile::saveFile(path, encode(snapshot), &error))
        return {false, error};
    return {true, QString()};
}

std::optional<DataSetSnapshot> read(const QString& path, QString* error) {
    QString why;
    const QByteArray bytes = textfile::readFile(path, &why, MaxFileBytes);
    std::optional<DataSetSnapshot> snapshot;
    if (why.isEmpty()) {
        snapshot = decode(bytes);
        if (!snapshot)
            why = QStringLiteral("the file is damaged or of another version");
    }
    if (!snapshot && error)
        *error = why;
    return snapshot;
}

QString Store::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

Store::Store(const QString& folder) : folder_(folder) {}

Store::~Store() = default;

QStringList Store::orphans() const {
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QLatin1Char('*') + QLatin1String(Suffix)}, QDir::Files,
                                    QDir::Time); // newest first
    QStringList found;
    for (const QFileInfo& info : files) {
        if (info.absoluteFilePath() == QFileInfo(path_).absoluteFilePath())
            continue;
        // A lock that is free (or stale: its program is gone) means nobody
        // keeps this file any more.
        QLockFile lock(info.absoluteFilePath() + QStringLiteral(".lock"));
        if (lock.tryLock(0)) {
            lock.unlock();
            found << info.absoluteFilePath();
        }
    }
    return found;
}

void Store::discard(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".lock"));
}

Result Store::save(const DataSetSnapshot& snapshot) {
    if (!lock_) {
        if (!QDir().mkpath(folder_))
            return {false, QStringLiteral("cannot create the folder %1").arg(folder_)};
        const QString path = QDir(folder_).filePath(QStringLiteral("%1-%2%3")
                                                        .arg(QCoreApplication::applicationPid())
                                                        .arg(QDateTime::currentMSecsSinceEpoch())
                                                        .arg(QLatin1String(Suffix)));
        auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
        if (!lock->tryLock(0))
            return {false, QStringLiteral("cannot lock %1").arg(path)};
        lock_ = std::move(lock);
        path_ = path;
    }
    return write(path_, snapshot);
}

void Store::remove() {
    if (!lock_)
        return;
    QFile::remove(path_);
    lock_.reset(); // removes the lock file
    path_.clear();
}

} // namespace rz::recovery
