#pragma once
// The program's copy of the receiver's settings area (addresses 0x00000 to
// 0x000BF) together with what the Setting and Set mode tabs show of it: the
// position of every list, the opening message, and the vocabulary the tabs
// are shown in. The lists are the authority for the bytes they own; the image
// keeps every other byte exactly as last read, so a write gives them back
// unchanged.
#include "settings/settings_lists.h"
#include "settings/vocabulary.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

namespace rz {

class SettingsImage : public QObject {
    Q_OBJECT
public:
    static constexpr int Size = 192;
    static constexpr int BlockCount = 3;
    static constexpr int BlockSize = 64;

    // An image of zeros, every list at its reset position, English.
    explicit SettingsImage(QObject* parent = nullptr);

    const QByteArray& bytes() const { return bytes_; }
    quint8 byte(int index) const { return quint8(bytes_[index]); }
    // The 64 bytes of block 0, 1 or 2 as read; false (nothing stored) for any
    // other block or size.
    bool storeBlock(int block, const QByteArray& data);
    QByteArray block(int block) const;
    // Bytes the encoder codes from the lists; out-of-range indexes are ignored.
    void setByte(int index, quint8 value);

    int position(settings::ListId id) const;
    const settings::Positions& positions() const { return positions_; }
    // False, and nothing changes, for a position outside the list's entries.
    bool setPosition(settings::ListId id, int position);
    // All at once; false, and nothing changes, when any position is outside
    // its list's entries.
    bool setPositions(const settings::Positions& positions);

    // The lists whose byte held a value outside their entries when last
    // decoded: they show their earlier position, and a write gives their
    // bytes back as re-read until the list is changed (or reset).
    const std::vector<settings::ListId>& keptLists() const { return kept_; }
    void keepBytesOf(std::vector<settings::ListId> lists);

    // Only "DET out" and "IQ output" are ever disabled: the receiver must not
    // put out both at once.
    bool isEnabled(settings::ListId id) const;
    // The user leaves one of the two: the other is disabled while this one is
    // "enable".
    void leaveList(settings::ListId id);
    // After a file has set both: both "enable" become both "Disable"; then
    // one that is "enable" disables the other.
    void settleDetAndIq();

    // The vocabulary follows the language list: setting that list, from the
    // user or from code, switches it; setting it to what it already is does
    // nothing.
    settings::Language vocabulary() const { return vocabulary_; }

    // The opening message; only its first 16 characters are kept.
    const QString& title() const { return title_; }
    void setTitle(const QString& text);

    // "Reset": every list to its reset position and an empty opening message.
    // The image and the enabled states stay as they are.
    void reset();

    // Everything the image holds, for undo and the recovery file; the
    // vocabulary follows the language list's position.
    struct State {
        QByteArray bytes;
        settings::Positions positions{};
        std::vector<settings::ListId> kept;
        bool detEnabled = true;
        bool iqEnabled = true;
        QString title;
        bool operator==(const State& o) const {
            return bytes == o.bytes && positions == o.positions && kept == o.kept &&
                   detEnabled == o.detEnabled && iqEnabled == o.iqEnabled && title == o.title;
        }
    };
    State state() const;
    // False, and nothing changes, for bytes of the wrong size or a position
    // outside its list.
    bool restore(const State& state);

signals:
    void changed();
    void vocabularyChanged(settings::Language language);

private:
    void followLanguage();

    QByteArray bytes_;
    settings::Positions positions_{};
    std::vector<settings::ListId> kept_;
    bool detEnabled_ = true;
    bool iqEnabled_ = true;
    settings::Language vocabulary_ = settings::Language::English;
    QString title_;
};

} // namespace rz
