#pragma once
// The recovery file: the whole data set exactly as a snapshot holds it (the
// clone file leaves out rows not in use, banks whose total is not 1200,
// settings bytes no list owns and the font), as a versioned binary stream.
//
// Each running program keeps its own file, locked while it runs; a file
// whose lock is free was left by a program that ended without a clean exit.
#include "model/data_set_snapshot.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace rz::recovery {

// The reader refuses anything larger: a full data set is about 0.5 MB.
constexpr qint64 MaxFileBytes = 16 << 20;
constexpr quint32 Version = 1;

QByteArray encode(const DataSetSnapshot& snapshot);
// Nothing for bytes that are not a whole, valid snapshot of this version.
std::optional<DataSetSnapshot> decode(const QByteArray& bytes);

struct Result {
    bool ok = false;
    QString error; // why the file could not be written or read
};
// Written through a temporary file: a failed save keeps the earlier file.
Result write(const QString& path, const DataSetSnapshot& snapshot);
std::optional<DataSetSnapshot> read(const QString& path, QString* error = nullptr);

// The recovery files of one folder.
class Store {
public:
    static constexpr const char* Suffix = ".rzrecovery";

    // The user's data folder's "recovery" folder.
    static QString defaultFolder();

    explicit Store(const QString& folder);
    ~Store(); // unlocks; the file stays for the next start to find
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Files left behind by programs that are gone, newest first. This
    // program's own file is never among them.
    QStringList orphans() const;
    // Removes a file found by orphans() with its lock.
    static void discard(const QString& path);

    // Saves this program's file (taking its lock the first time).
    Result save(const DataSetSnapshot& snapshot);
    // The data set is saved elsewhere or the program ends cleanly.
    void remove();
    QString path() const { return path_; }

private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace rz::recovery
