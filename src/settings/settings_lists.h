#pragma once
// The drop-down lists of the Setting and Set mode tabs: which lists exist,
// their object names, how many entries each has and where "Reset" puts them.
// A list's selection is its 0-based position.
#include <QString>
#include <array>
#include <vector>

namespace rz::settings {

// The list arrays, in the order of the clone file's settings lines ("SD00" is
// Recv, ..., "SD08" is Misc).
enum class Group { Recv, Display, Power, Key, Scan, Mem, Sound, Remocon, Misc };
constexpr int GroupCount = 9;

struct ListId {
    Group group;
    int index;
    friend constexpr bool operator==(ListId a, ListId b) {
        return a.group == b.group && a.index == b.index;
    }
    friend constexpr bool operator!=(ListId a, ListId b) { return !(a == b); }
};

constexpr int SettingTabLists = 17; // Setting_misc(0..16) carry entries
constexpr int SettingTabPairs = 24; // Label_misc(0..23) exist on the tab
constexpr int SetModeLists = 42;
constexpr int ListCount = SettingTabLists + SetModeLists;

using Positions = std::array<int, ListCount>;

// Lists by their role, where the codings and the rules need them.
constexpr ListId OperationStatus{Group::Misc, 0};
constexpr ListId AudioHighCut{Group::Misc, 10};
constexpr ListId AudioLowCut{Group::Misc, 11};
constexpr ListId OperationModeMain{Group::Misc, 12};
constexpr ListId OperationModeSub{Group::Misc, 13};
constexpr ListId BarAntenna{Group::Recv, 0};
constexpr ListId DetOutput{Group::Recv, 3};
constexpr ListId IqOutput{Group::Recv, 4};
constexpr ListId LanguageList{Group::Display, 0};
constexpr ListId Illumination{Group::Display, 1};
constexpr ListId WelcomeStyle{Group::Display, 5};
constexpr ListId DialRing{Group::Key, 5};
constexpr ListId WildKey{Group::Key, 6};
constexpr ListId MoniKey{Group::Key, 7};
constexpr ListId ScanSpeed{Group::Scan, 4};
constexpr ListId Overwrite{Group::Mem, 0};
constexpr ListId RemoteKeyA{Group::Remocon, 0};

int groupSize(Group group);
// "Set_Mode_Recv", ... "Setting_misc"; the caption label arrays "Label60", ...
QString groupListName(Group group);
QString groupLabelName(Group group);
// The group's lists in order.
std::vector<ListId> listsOf(Group group);
std::vector<ListId> allLists();

// Index 0..58 into Positions; -1 for an id that names no list.
int flatIndex(ListId id);
bool isValid(ListId id);
// "Setting_misc(3)", "Label_misc(3)".
QString objectName(ListId id);
QString labelName(ListId id);
// The list named "Set_Mode_Key(6)", if there is one.
bool findList(const QString& objectName, ListId& id);

int entryCount(ListId id);
int resetPosition(ListId id);
// The lists whose entries are the same in both vocabularies and are never
// refilled.
bool isFixed(ListId id);

// Every list at the position "Reset" gives it.
Positions resetPositions();

} // namespace rz::settings
