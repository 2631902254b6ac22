#pragma once
// Everything the program keeps about a receiver, for the whole run: the
// channel table, the bank layout, and each further area's model. main()
// owns the one data set and hands each page, file format, transfer and the
// command-line tool the parts they use. Editors change it in place; reads,
// opens and imports overwrite it.
#include "banks/bank_layout.h"
#include "banks/bank_link_table.h"
#include "banks/one_touch.h"
#include "font/font_store.h"
#include "model/channel_table.h"
#include "model/edit_steps.h"
#include "settings/settings_image.h"

namespace rz {

struct DataSet {
    ChannelTable channels;
    BankLayout banks;
    OneTouchMemories oneTouch;
    BankLinkTable bankLinks; // with the empty-bank flags
    FontStore font;          // the eight user characters
    SettingsImage settings;  // both settings tabs' lists and the opening message
    EditSteps steps;         // names the next undo step; holds no data
};

} // namespace rz
