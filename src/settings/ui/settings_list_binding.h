#pragma once
// The drop-down lists of the settings tabs as views of the settings: each
// list shows its position in the SettingsImage and writes the user's choice
// back; the captions beside them. Entries come in the vocabulary the
// settings are in when the list is made; VocabularyView switches them later.
#include "settings/settings_lists.h"

#include <QObject>
#include <QString>
#include <vector>

class QComboBox;
class QLabel;
class QWidget;

namespace rz {

class SettingsImage;

class SettingsListBinding : public QObject {
    Q_OBJECT
public:
    SettingsListBinding(SettingsImage& settings, QObject* parent);

    // The caption label (Label60(3), ...) and the list (Set_Mode_Recv(3), ...)
    // of `id`, children of `parent`. A pair of the Setting tab without a
    // list (17..23) gets an empty label and an empty list.
    QLabel* makeCaption(settings::ListId id, QWidget* parent) const;
    QComboBox* makeList(settings::ListId id, QWidget* parent);

    // The lists show the settings' positions and enabled states.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        settings::ListId id;
        QComboBox* list;
    };
    const Bound* boundTo(QObject* widget) const;

    SettingsImage& settings_;
    std::vector<Bound> bound_;
};

// The lists of the receiver, screen-display, power, keys, scanning, memory
// and sound frames throw typed characters away; the remote-keypad lists and
// the Setting tab's lists look up an entry by its first letters.
bool refusesTyping(settings::Group group);

// A caption as a frame shows it: "&" is a character, not a shortcut mark.
QString frameTitle(const QString& caption);

} // namespace rz
