#include "settings/ui/setting_frame.h"

#include "gui/radio_facade.h"
#include "gui/text_fit.h"
#include "model/data_set.h"
#include "settings/settings_transfer.h"
#include "settings/ui/settings_list_binding.h"
#include "settings/vocabulary.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace rz {

using namespace settings;

namespace {

int px(int twips) {
    return twips / 15;
}

constexpr int Rows = 12; // two columns of twelve pairs
constexpr int LabelWidth = 1800, ListWidth = 1400, ColumnWidth = 3360;
constexpr int FirstRow = 300, RowPitch = 360, RowHeight = 315;
constexpr int ButtonTop = FirstRow + Rows * RowPitch + 120, ButtonWidth = 1300, ButtonHeight = 375;

struct ButtonPlace {
    const char* caption;
    const char* name;
    int x;
};
constexpr ButtonPlace Buttons[] = {
    {"Reset", "SETTING_RESET", 120},
    {"Read", "SETTING_READ", 1560},
    {"Write", "SETTING_WRITE", 3000},
};

} // namespace

SettingFrame::SettingFrame(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QGroupBox(QStringLiteral("Setting"), parent), data_(data), radio_(radio),
      lists_(new SettingsListBinding(data.settings, this)) {
    setObjectName(QStringLiteral("setting"));
    setGeometry(px(Left), px(Top), px(Width), px(Height));
    layOut();
    connectCommand("SETTING_RESET", [this] { resetSettings(); });
    connectCommand("SETTING_READ", [this] { readSettings(); });
    connectCommand("SETTING_WRITE", [this] { writeSettings(); });
}

void SettingFrame::layOut() {
    std::vector<std::pair<QLabel*, QComboBox*>> pairs;
    QStringList captions, listEntries;
    for (int pair = 0; pair < SettingTabPairs; ++pair) {
        const ListId id{Group::Misc, pair};
        pairs.emplace_back(lists_->makeCaption(id, this), lists_->makeList(id, this));
        for (const Language language : {Language::English, Language::Japanese}) {
            captions << caption(id, language);
            listEntries << entries(id, language);
        }
    }
    // A caption or an entry longer than its place in either language widens
    // every caption or every list, and the frame with them.
    const int labelWidth = std::max(px(LabelWidth), fit::labelWidth(pairs[0].first, captions));
    const int listWidth = std::max(px(ListWidth), fit::listWidth(pairs[0].second, listEntries));
    const int column = std::max(px(ColumnWidth), labelWidth + px(60) + listWidth + px(100));
    for (int pair = 0; pair < SettingTabPairs; ++pair) {
        const int x = px(120) + pair / Rows * column;
        const int y = px(FirstRow + pair % Rows * RowPitch);
        pairs[size_t(pair)].first->setGeometry(x, y, labelWidth, px(RowHeight));
        pairs[size_t(pair)].second->setGeometry(x + labelWidth + px(60), y, listWidth,
                                                px(RowHeight));
    }
    resize(std::max(width(), px(120) + 2 * column), height());
    for (const ButtonPlace& b : Buttons) {
        auto* button = new QPushButton(QLatin1String(b.caption), this);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(px(b.x), px(ButtonTop), px(ButtonWidth), px(ButtonHeight));
    }
}

QPushButton* SettingFrame::button(const char* objectName) const {
    return findChild<QPushButton*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}

void SettingFrame::connectCommand(const char* name, std::function<void()> command) {
    connect(button(name), &QPushButton::clicked, this, radio_.whenIdle(std::move(command)));
}

void SettingFrame::resetSettings() {
    data_.settings.reset(); // both tabs, and the opening message
}

void SettingFrame::readSettings() {
    radio_.start(std::make_shared<ReadSettings>(radio_.region()));
}

void SettingFrame::writeSettings() {
    radio_.start(std::make_shared<WriteSettings>(radio_.region(), settingsToWrite(data_.settings)));
}

} // namespace rz
