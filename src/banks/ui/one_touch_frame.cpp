#include "banks/ui/one_touch_frame.h"

#include "banks/one_touch_transfer.h"
#include "gui/radio_facade.h"
#include "gui/text_fit.h"
#include "memory/ui/channel_grid.h"
#include "model/data_set.h"
#include "settings/vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace rz {
namespace {

int px(int twips) {
    return ChannelGrid::px(twips);
}

// Columns of a key's row (twips inside the frame).
constexpr int KeyX = 150, BankX = 1000, ChannelX = 1900, NoSetX = 2850;
constexpr int FirstRowY = 560, RowHeight = 420, ListHeight = 330;

} // namespace

OneTouchFrame::OneTouchFrame(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QGroupBox(QStringLiteral("OneTouch Memory"), parent), banks_(data.banks),
      keys_(data.oneTouch), radio_(radio) {
    setObjectName(QStringLiteral("OneTouch"));
    channelsFor_.fill(-2); // no list built yet
    layOut();
    connect(&keys_, &OneTouchMemories::changed, this, &OneTouchFrame::showKeys);
    // A read or an opened file may change the layout while the frame is on
    // screen: its lists follow at once, so that it shows what a write sends.
    connect(&banks_, &BankLayout::changed, this, [this] {
        if (isVisible())
            refillLists();
    });
    rebuildLists();
}

void OneTouchFrame::layOut() {
    const auto heading = [this](const QString& text, const char* name, int x) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(x, px(250), px(850), px(250));
        return label;
    };
    // The key heading is shown in either language; where it is wider than
    // its column, the columns right of it move over.
    QLabel* keyHeading = heading(QStringLiteral("キー番号"), "Label6", px(KeyX));
    const int keyWidth = std::max(
        px(850),
        fit::labelWidth(keyHeading, {settings::oneTouchHeading(settings::Language::English),
                                     settings::oneTouchHeading(settings::Language::Japanese)}));
    keyHeading->resize(keyWidth, keyHeading->height());
    const int shift = std::max(0, px(KeyX) + keyWidth + px(100) - px(BankX));
    const int bankX = px(BankX) + shift, channelX = px(ChannelX) + shift,
              noSetX = px(NoSetX) + shift;
    heading(QStringLiteral("Bank"), "", bankX);
    heading(QStringLiteral("CH"), "", channelX);
    setMinimumWidth(noSetX + px(1300) + px(KeyX));

    for (int k = 0; k < Keys; ++k) {
        const int y = FirstRowY + k * RowHeight;
        auto* key = new QLabel(QString::number(k + 1), this);
        key->setGeometry(px(KeyX + 200), px(y), px(300), px(ListHeight));

        auto* bank = new QComboBox(this);
        bank->setObjectName(QStringLiteral("COMMON_BANK(%1)").arg(k));
        bank->setGeometry(bankX, px(y), px(800), px(ListHeight));
        connect(bank, qOverload<int>(&QComboBox::activated), this, [this, k](int position) {
            if (position >= 0 && size_t(position) < listed_.size())
                keys_.selectBank(k, listed_[size_t(position)]);
        });
        bankLists_[size_t(k)] = bank;

        auto* channel = new QComboBox(this);
        channel->setObjectName(QStringLiteral("COMMON_CH(%1)").arg(k));
        channel->setGeometry(channelX, px(y), px(850), px(ListHeight));
        connect(channel, qOverload<int>(&QComboBox::activated), this,
                [this, k](int position) { keys_.selectChannel(k, position); });
        channelLists_[size_t(k)] = channel;

        auto* noSet = new QCheckBox(QStringLiteral("No Setting"), this);
        noSet->setObjectName(QStringLiteral("NO_SET(%1)").arg(k));
        noSet->setGeometry(noSetX, px(y), px(1300), px(ListHeight));
        connect(noSet, &QCheckBox::clicked, this,
                [this, k](bool checked) { keys_.setNoSetting(k, checked); });
        noSetting_[size_t(k)] = noSet;
    }

    const char* const captions[] = {"Reset", "Read", "Write"};
    const char* const names[] = {"COMMON_ONE_TOUCH_RESET", "READ_ONE_TOUCH", "WRITE_ONE_TOUCH"};
    void (OneTouchFrame::*const commands[])() = {
        &OneTouchFrame::resetKeys, &OneTouchFrame::readKeys, &OneTouchFrame::writeKeys};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QLatin1String(captions[i]), this);
        button->setObjectName(QLatin1String(names[i]));
        button->setGeometry(px(KeyX + i * 1400), px(FirstRowY + Keys * RowHeight + 150), px(1200),
                            px(375));
        connect(button, &QPushButton::clicked, this,
                radio_.whenIdle([this, command = commands[i]] { (this->*command)(); }));
    }
}

void OneTouchFrame::rebuildLists() {
    keys_.rebuild(banks_);
    refillLists();
}

void OneTouchFrame::refillLists() {
    listed_ = banks_.nonEmptyBanks();
    const QStringList items = oneTouchBankItems(banks_);
    for (QComboBox* list : bankLists_) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(items);
    }
    channelsFor_.fill(-2); // the channel lists follow the sizes of now
    showKeys();
}

void OneTouchFrame::showKeys() {
    for (int k = 0; k < Keys; ++k)
        showKey(k);
}

void OneTouchFrame::showKey(int k) {
    const OneTouchKey& key = keys_.key(k);
    QComboBox* bank = bankLists_[size_t(k)];
    QComboBox* channel = channelLists_[size_t(k)];
    const QSignalBlocker quietBank(bank), quietChannel(channel);
    const auto found = std::find(listed_.begin(), listed_.end(), key.bank);
    bank->setCurrentIndex(found == listed_.end() ? -1 : int(found - listed_.begin()));
    if (channelsFor_[size_t(k)] != key.bank) {
        channel->clear();
        channel->addItems(oneTouchChannelItems(key.bank, banks_));
        channelsFor_[size_t(k)] = key.bank;
    }
    channel->setCurrentIndex(key.channel < channel->count() ? key.channel : 0);
    noSetting_[size_t(k)]->setChecked(key.noSetting);
}

void OneTouchFrame::resetKeys() {
    keys_.reset(banks_);
}

void OneTouchFrame::readKeys() {
    radio_.start(std::make_shared<OneTouchRead>(radio_.region()));
}

void OneTouchFrame::writeKeys() {
    radio_.start(std::make_shared<OneTouchWrite>(radio_.region(), keys_));
}

} // namespace rz
