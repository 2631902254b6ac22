#include "settings/ui/vocabulary_view.h"

#include "settings/settings_image.h"
#include "settings/ui/settings_list_binding.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>

namespace rz {

VocabularyView::VocabularyView(SettingsImage& settings, QWidget* root)
    : QObject(root), root_(root) {
    connect(&settings, &SettingsImage::vocabularyChanged, this, &VocabularyView::show);
    // Start-up applies the vocabulary once, so that every caption it owns
    // (the one-touch heading among them) starts in the current language.
    show(settings.vocabulary());
}

void VocabularyView::show(settings::Language language) {
    const VocabularyTexts texts = ApplyVocabulary(int(language));
    // The tabs are hidden while every list is refilled.
    QTabBar* tabs = root_->findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    const bool tabsShown = tabs && tabs->isVisible();
    if (tabsShown)
        tabs->hide();
    for (const auto& [name, caption] : texts.captions) {
        for (QLabel* label : root_->findChildren<QLabel*>(name))
            label->setText(caption);
        for (QGroupBox* frame : root_->findChildren<QGroupBox*>(name))
            frame->setTitle(frameTitle(caption));
    }
    for (const auto& [name, entries] : texts.lists) {
        for (QComboBox* list : root_->findChildren<QComboBox*>(name)) {
            const QSignalBlocker quiet(list);
            const int position = list->currentIndex();
            list->clear();
            list->addItems(entries);
            list->setCurrentIndex(position);
        }
    }
    if (tabsShown)
        tabs->show();
}

} // namespace rz
