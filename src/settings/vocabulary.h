#pragma once
// The two vocabularies of the settings tabs: every caption and list entry in
// English and in Japanese. The receiver's language list chooses which one the
// tabs show.
#include "settings/settings_lists.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace rz::settings {

enum class Language { English = 0, Japanese = 1 };

// A vocabulary number as the language list gives it: 1 is Japanese, any other
// value English.
Language languageFor(int vocabulary);

// The entries of a list in table order (a fixed list has the same entries in
// both languages).
QStringList entries(ListId id, Language language);
// The caption beside a list ("" for Label_misc(17..23)).
QString caption(ListId id, Language language);
QString captionOfPair(int pair, Language language); // Label_misc(0..23)
// Frame of a Set mode group: "Frame14", ...; its caption. Misc has no frame
// of its own that switches ("").
QString frameName(Group group);
QString frameCaption(Group group, Language language);
// The heading of the one-touch frame, Label6.
QString oneTouchHeading(Language language);

} // namespace rz::settings

namespace rz {

struct VocabularyTexts {
    settings::Language language;
    // Object name and caption: the eight frames, every caption label of both
    // tabs (Label_misc(17..23) empty) and Label6.
    std::vector<std::pair<QString, QString>> captions;
    // Object name and entries of every list that switches (the fixed lists
    // are absent). A view refills each list and gives it back its position.
    std::vector<std::pair<QString, QStringList>> lists;
};

// The texts of vocabulary v for both settings tabs.
VocabularyTexts ApplyVocabulary(int vocabulary);

} // namespace rz
