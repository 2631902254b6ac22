#include "model/name_slots.h"

#include "model/code_page.h"

#include <QList>

namespace rz::nameslots {

QString decode(const QByteArray& bytes, int offset) {
    QString text;
    for (int i = 0; i < SlotCount && offset + 2 * i + 1 < bytes.size(); ++i) {
        const quint8 low = quint8(bytes[offset + 2 * i]);
        const quint8 high = quint8(bytes[offset + 2 * i + 1]);
        text += cp932::fromCode(high != 0 ? quint16(high << 8 | low) : low);
    }
    return text;
}

void encode(const QString& text, QByteArray& bytes, int offset) {
    const QList<uint> characters = text.toUcs4();
    for (int i = 0; i < SlotCount && i < characters.size(); ++i) {
        const quint16 code = cp932::charCode(char32_t(characters[i]));
        bytes[offset + 2 * i] = char(code & 0xFF);
        bytes[offset + 2 * i + 1] = char(code >> 8);
    }
}

} // namespace rz::nameslots
