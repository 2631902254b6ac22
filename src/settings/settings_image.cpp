#include "settings/settings_image.h"

#include "settings/opening_message.h"

#include <algorithm>

namespace rz {

using namespace settings;

namespace {
constexpr int Enable = 1; // position of "enable" in "DET out" and "IQ output"

bool fits(ListId id, int position) {
    return position >= 0 && position < entryCount(id);
}
} // namespace

SettingsImage::SettingsImage(QObject* parent)
    : QObject(parent), bytes_(Size, '\0'), positions_(resetPositions()) {}

bool SettingsImage::storeBlock(int block, const QByteArray& data) {
    if (block < 0 || block >= BlockCount || data.size() != BlockSize)
        return false;
    bytes_.replace(block * BlockSize, BlockSize, data);
    return true;
}

QByteArray SettingsImage::block(int block) const {
    if (block < 0 || block >= BlockCount)
        return QByteArray();
    return bytes_.mid(block * BlockSize, BlockSize);
}

void SettingsImage::setByte(int index, quint8 value) {
    if (index >= 0 && index < Size)
        bytes_[index] = char(value);
}

int SettingsImage::position(ListId id) const {
    const int at = flatIndex(id);
    return at < 0 ? 0 : positions_[size_t(at)];
}

bool SettingsImage::setPosition(ListId id, int position) {
    if (!isValid(id) || !fits(id, position))
        return false;
    Positions next = positions_;
    next[size_t(flatIndex(id))] = position;
    return setPositions(next);
}

bool SettingsImage::setPositions(const Positions& positions) {
    for (ListId id : allLists())
        if (!fits(id, positions[size_t(flatIndex(id))]))
            return false;
    if (positions == positions_)
        return true;
    // A list changed since the read no longer keeps its byte.
    kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                               [&](ListId id) {
                                   const size_t at = size_t(flatIndex(id));
                                   return positions[at] != positions_[at];
                               }),
                kept_.end());
    positions_ = positions;
    emit changed();
    followLanguage();
    return true;
}

bool SettingsImage::isEnabled(ListId id) const {
    if (id == DetOutput)
        return detEnabled_;
    if (id == IqOutput)
        return iqEnabled_;
    return isValid(id);
}

void SettingsImage::leaveList(ListId id) {
    if (id == DetOutput)
        iqEnabled_ = position(DetOutput) != Enable;
    else if (id == IqOutput)
        detEnabled_ = position(IqOutput) != Enable;
    else
        return;
    emit changed();
}

void SettingsImage::settleDetAndIq() {
    if (position(DetOutput) == Enable && position(IqOutput) == Enable) {
        Positions next = positions_;
        next[size_t(flatIndex(DetOutput))] = 0;
        next[size_t(flatIndex(IqOutput))] = 0;
        positions_ = next;
    }
    detEnabled_ = position(IqOutput) != Enable;
    iqEnabled_ = position(DetOutput) != Enable;
    emit changed();
}

void SettingsImage::setTitle(const QString& text) {
    const QString kept = opening::fitted(text);
    if (kept == title_)
        return;
    title_ = kept;
    emit changed();
}

void SettingsImage::keepBytesOf(std::vector<ListId> lists) {
    kept_ = std::move(lists);
}

void SettingsImage::reset() {
    title_.clear();
    kept_.clear();
    positions_ = resetPositions();
    emit changed();
    followLanguage();
}

SettingsImage::State SettingsImage::state() const {
    return {bytes_, positions_, kept_, detEnabled_, iqEnabled_, title_};
}

bool SettingsImage::restore(const State& state) {
    if (state.bytes.size() != Size || opening::fitted(state.title) != state.title)
        return false;
    for (ListId id : allLists())
        if (!fits(id, state.positions[size_t(flatIndex(id))]))
            return false;
    for (ListId id : state.kept)
        if (!isValid(id))
            return false;
    if (state == this->state())
        return true;
    bytes_ = state.bytes;
    positions_ = state.positions;
    kept_ = state.kept;
    detEnabled_ = state.detEnabled;
    iqEnabled_ = state.iqEnabled;
    title_ = state.title;
    emit changed();
    followLanguage();
    return true;
}

void SettingsImage::followLanguage() {
    const Language language = languageFor(position(LanguageList));
    if (language == vocabulary_)
        return;
    vocabulary_ = language;
    emit vocabularyChanged(language);
}

} // namespace rz
