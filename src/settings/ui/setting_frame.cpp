#include "settings/ui/setting_frame.h"

#include "gui/radio_facade.h"
#include "model/data_set.h"
#include "settings/settings_transfer.h"
#include "settings/ui/settings_list_binding.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

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
    for (int pair = 0; pair < SettingTabPairs; ++pair) {
        const ListId id{Group::Misc, pair};
        const int x = 120 + pair / Rows * ColumnWidth;
        const int y = FirstRow + pair % Rows * RowPitch;
        lists_->makeCaption(id, this)->setGeometry(px(x), px(y), px(LabelWidth), px(RowHeight));
        lists_->makeList(id, this)->setGeometry(px(x + LabelWidth + 60), px(y), px(ListWidth),
                                                px(RowHeight));
    }
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
