#include "settings/settings_lists.h"

#include <QRegularExpression>

namespace rz::settings {

namespace {

struct GroupInfo {
    const char* listName;
    const char* labelName;
    std::vector<int> entryCounts;
    std::vector<int> resets;
};

const std::array<GroupInfo, GroupCount>& groups() {
    static const std::array<GroupInfo, GroupCount> table{{
        {"Set_Mode_Recv", "Label60", {2, 2, 2, 2, 2, 3, 2}, {1, 0, 0, 0, 0, 1, 0}},
        {"Set_Mode_Display", "Label12", {2, 9, 2, 10, 4, 3, 21}, {0, 1, 0, 5, 0, 0, 0}},
        {"Set_Mode_Power", "Label13", {7, 6, 2}, {0, 3, 0}},
        {"Set_Mode_Key",
         "Label25",
         {5, 2, 2, 4, 2, 4, 41, 41, 2, 11, 2},
         {4, 0, 0, 2, 0, 0, 7, 8, 0, 0, 0}},
        {"Set_Mode_Scan", "Label23", {2, 12, 26, 40, 3}, {1, 0, 0, 0, 1}},
        {"Set_Mode_Mem", "Label29", {3, 3}, {1, 1}},
        {"Set_Mode_Sound", "Label14", {2, 4, 4}, {1, 0, 0}},
        {"Set_Mode_Remocon", "LabelRemocon", {23, 23, 23, 23}, {0, 0, 0, 0}},
        {"Setting_misc",
         "Label_misc",
         {4, 31, 31, 10, 10, 2, 2, 10, 10, 3, 2, 2, 3, 2, 3, 3, 5},
         {2, 10, 10, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}},
    }};
    return table;
}

const GroupInfo& info(Group group) {
    return groups()[size_t(group)];
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

int groupSize(Group group) {
    return int(info(group).entryCounts.size());
}

QString groupListName(Group group) {
    return QLatin1String(info(group).listName);
}

QString groupLabelName(Group group) {
    return QLatin1String(info(group).labelName);
}

std::vector<ListId> listsOf(Group group) {
    std::vector<ListId> ids;
    for (int i = 0; i < groupSize(group); ++i)
        ids.push_back({group, i});
    return ids;
}

std::vector<ListId> allLists() {
    std::vector<ListId> ids;
    for (int g = 0; g < GroupCount; ++g)
        for (ListId id : listsOf(Group(g)))
            ids.push_back(id);
    return ids;
}

bool isValid(ListId id) {
    const int g = int(id.group);
    return g >= 0 && g < GroupCount && id.index >= 0 && id.index < groupSize(id.group);
}

int flatIndex(ListId id) {
    if (!isValid(id))
        return -1;
    int offset = 0;
    for (int g = 0; g < int(id.group); ++g)
        offset += groupSize(Group(g));
    return offset + id.index;
}

QString objectName(ListId id) {
    return indexed(info(id.group).listName, id.index);
}

QString labelName(ListId id) {
    return indexed(info(id.group).labelName, id.index);
}

bool findList(const QString& name, ListId& id) {
    static const QRegularExpression pattern(QStringLiteral("^(\\w+)\\((\\d{1,2})\\)$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    for (int g = 0; g < GroupCount; ++g) {
        const ListId candidate{Group(g), match.captured(2).toInt()};
        if (match.captured(1) == groupListName(Group(g)) && isValid(candidate)) {
            id = candidate;
            return true;
        }
    }
    return false;
}

int entryCount(ListId id) {
    return isValid(id) ? info(id.group).entryCounts[size_t(id.index)] : 0;
}

int resetPosition(ListId id) {
    return isValid(id) ? info(id.group).resets[size_t(id.index)] : 0;
}

bool isFixed(ListId id) {
    return id == ListId{Group::Recv, 0} || id == ListId{Group::Recv, 1} ||
           id == ListId{Group::Display, 3} || id == DialRing;
}

Positions resetPositions() {
    Positions positions{};
    for (ListId id : allLists())
        positions[size_t(flatIndex(id))] = resetPosition(id);
    return positions;
}

} // namespace rz::settings
