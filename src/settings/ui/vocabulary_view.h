#pragma once
// Shows the settings tabs in the vocabulary the settings are in: when the
// receiver's language list changes (chosen, read, reset or loaded), every
// caption and every list that switches, on both tabs and in the one-touch
// frame, takes the other language's texts, each list keeping its position.
#include "settings/vocabulary.h"

#include <QObject>

class QWidget;

namespace rz {

class SettingsImage;

class VocabularyView : public QObject {
    Q_OBJECT
public:
    // `root` holds the tabs (the main window).
    VocabularyView(SettingsImage& settings, QWidget* root);

    // The texts of `language` onto the widgets of that name under root.
    void show(settings::Language language);

private:
    QWidget* root_;
};

} // namespace rz
