#include "settings/vocabulary.h"

#include "settings/function_tables.h"

#include <initializer_list>

namespace rz::settings {

namespace {

struct Words {
    QString english;
    QString japanese;
    const QString& in(Language language) const {
        return language == Language::Japanese ? japanese : english;
    }
};
using WordList = std::vector<Words>;

struct ListWords {
    Words caption;
    WordList entries;
};

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

Words w(const char* english, const char* japanese) {
    return {u8(english), u8(japanese)};
}

Words same(const char* text) {
    return w(text, text);
}

Words same(const QString& text) {
    return {text, text};
}

WordList sameWords(std::initializer_list<const char*> texts) {
    WordList list;
    for (const char* text : texts)
        list.push_back(same(text));
    return list;
}

// "0" to "30": plain decimal text.
WordList numbers(int from, int to) {
    WordList list;
    for (int n = from; n <= to; ++n)
        list.push_back(same(QString::number(n)));
    return list;
}

// A number right-aligned in `width` characters, then the unit.
QString aligned(int n, int width, const char* unit) {
    return QStringLiteral("%1").arg(n, width) + u8(unit);
}

WordList seconds(int from, int to, int step) {
    WordList list;
    for (int n = from; n <= to; n += step)
        list.push_back({aligned(n, 2, "sec."), aligned(n, 2, "秒")});
    return list;
}

WordList functionWords(const std::vector<FunctionEntry>& table) {
    WordList list;
    for (const FunctionEntry& f : table)
        list.push_back(w(f.english, f.japanese));
    return list;
}

WordList operator+(WordList a, const WordList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const WordList& offOn() {
    static const WordList list = sameWords({"OFF", "ON"});
    return list;
}

const WordList& disableEnable() {
    static const WordList list{w("Disable", "無効"), w("enable", "有効")};
    return list;
}

WordList scanModes() {
    WordList list{w("Busy scan", "ﾋﾞｼﾞｰｽｷｬﾝ")};
    for (int n = 1; n <= 25; ++n)
        list.push_back({aligned(n, 3, "sec. timer"), aligned(n, 2, "秒(ﾀｲﾏｰｽｷｬﾝ)")});
    return list +
           WordList{
               w("  1sec. elapse", "  1秒(時間指定)"), w("  2sec. elapse", "  2秒(時間指定)"),
               w("  3sec. elapse", "  3秒(時間指定)"), w("  4sec. elapse", "  4秒(時間指定)"),
               w("  5sec. elapse", "  5秒(時間指定)"), w(" 10sec. elapse", " 10秒(時間指定)"),
               w(" 15sec. elapse", " 15秒(時間指定)"), w(" 30sec. elapse", " 30秒(時間指定)"),
               w("  1min. elapse", "  1分(時間指定)"), w("1.5min. elapse", "1.5分(時間指定)"),
               w("  2min. elapse", "  2分(時間指定)"), w("  3min. elapse", "  3分(時間指定)"),
               w("  4min. elapse", "  4分(時間指定)"), w("  5min. elapse", "  5分(時間指定)"),
           };
}

WordList smeterSettings() {
    WordList list{w("Normal", "通常")};
    for (int ms = 10; ms <= 200; ms += 10)
        list.push_back(same(aligned(ms, 3, "ms.")));
    return list;
}

std::vector<ListWords> recvWords() {
    return {
        {w("Bar antenna", "ﾊﾞｰｱﾝﾃﾅ"), offOn()},
        {w("Earphone antenna", "ｲﾔﾎﾝｱﾝﾃﾅ"), offOn()},
        {same("CW"), sameWords({"CWL", "CWU"})},
        {w("DET out", "検波出力"), disableEnable()},
        {w("IQ output", "IQ信号出力"), disableEnable()},
        {w("Tune setting", "ﾁｭｰﾝ設定"), numbers(1, 3)},
        {w("Preset mode", "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ"),
         {w("Activate", "表示する"), w("Deactivate", "表示しない")}},
    };
}

std::vector<ListWords> displayWords() {
    WordList contrast;
    for (int n = 1; n <= 10; ++n)
        contrast.push_back(same(QStringLiteral("%1").arg(n, 2)));
    return {
        {same("language／言語"), sameWords({"English", "日本語"})},
        {w("Illumination", "照明設定"),
         WordList{w("Turn out", "消灯")} + seconds(5, 30, 5) +
             WordList{w("Always Lit", "常灯"), w("Disable all", "全て消灯")}},
        {w("Font size", "非操作側  表示サイズ"), {w("Small", "小"), w("Large", "大")}},
        {w("LCD contrast", "ｺﾝﾄﾗｽﾄ設定"), contrast},
        {w("Font Bold", "フォント設定"),
         {w("Bold all", "太字"), w("Op. band bold", "操作ﾊﾞﾝﾄﾞ太字"),
          w("Op. band thin", "操作ﾊﾞﾝﾄﾞ細字"), w("Thin all", "細字")}},
        {w("Welcome", "ｵｰﾌﾟﾆﾝｸﾞ"), {w("Still", "静止"), w("Slide", "ｽﾗｲﾄﾞ"), w("Disable", "無効")}},
        {w("Smeter setting", "Sﾒｰﾀ表示設定"), smeterSettings()},
    };
}

std::vector<ListWords> powerWords() {
    return {
        {w("Auto Power Off", "ｵｰﾄﾊﾟﾜｰｵﾌ"),
         {w("OFF", "解除"), w("30 min.", "30分"), w("1 hour", "1時間"), w("2 hrs.", "2時間"),
          w("3 hrs.", "3時間"), w("5 hrs.", "5時間"), w("8 hrs.", "8時間")}},
        {w("BS ratio", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ"),
         {w("Batt. save off", "OFF"), w("0.2 : 0.2", "0.2秒:0.2秒"), w("0.2 : 0.4", "0.2秒:0.4秒"),
          w("0.2 : 0.8", "0.2秒:0.8秒"), w("0.2 : 1.2", "0.2秒:1.2秒"),
          w("0.2 : 1.8", "0.2秒:1.8秒")}},
        {w("Battery type", "電池の設定"),
         {w("Battery pack", "ﾊﾞｯﾃﾘｰﾊﾟｯｸ"), w("Dry battery", "乾電池")}},
    };
}

std::vector<ListWords> keyWords() {
    return {
        {w("Key lock mode", "ｷｰﾛｯｸﾓｰﾄﾞ"),
         {w("16-key pad", "ｷｰﾎﾞｰﾄﾞ(除･SCAN)"), w("Dials only", "ﾀﾞｲﾔﾙのみ"),
          w("17-key pad", "ｷｰﾎﾞｰﾄﾞ(含･SCAN)"), w("16-key + dials", "KB(除･SCAN)+DIAL"),
          w("All", "全て")}},
        {w("Moni function", "MONIキー設定"), {w("Monitor", "ﾓﾆﾀｰ"), w("Mute", "ﾐｭｰﾄ")}},
        {w("Moni operation", "MONIキー動作"), {w("Push", "ﾌﾟｯｼｭ"), w("Hold", "ﾎｰﾙﾄﾞ")}},
        {w("Moni active on", "MONIキー操作対象"),
         {w("Main band only", "ﾒｲﾝﾊﾞﾝﾄﾞ"), w("Sub band only", "ｻﾌﾞﾊﾞﾝﾄﾞ"),
          w("Operating band", "操作ﾊﾞﾝﾄﾞ"), w("Both bands", "両ﾊﾞﾝﾄﾞ")}},
        {w("Mainband dial", "ﾀﾞｲﾔﾙ左右"),
         {w("L:MAIN / SUB:R", "左:ﾒｲﾝ  ｻﾌﾞ:右"), w("L:SUB / MAIN:R", "左:ｻﾌﾞ  ﾒｲﾝ:右")}},
        // The gap is one ideographic space.
        {w("Dial Ring", "ﾀﾞｲﾔﾙ上下"),
         sameWords({"Freq:↑\u3000Vol:↓", "Freq:↓\u3000Vol:↑", "Squelch:↑\u3000Freq:↓",
                    "Squelch:↓\u3000Freq:↑"})},
        {w("Wild key assign", "WILDｷｰ割当"), functionWords(keyFunctions())},
        {w("Moni key assign", "MONIｷｰ割当"), functionWords(keyFunctions())},
        {w("Band transition", "ﾊﾞﾝﾄﾞ移動"),
         {w("Stay in the band", "移動しない"), w("Go to next band", "移動する")}},
        {w("Set mode exit", "ｾｯﾄﾓｰﾄﾞ復帰時間"),
         {w("Manual", "手動"), w("Auto  5sec.", "5秒"), w("Auto 10sec.", "10秒"),
          w("Auto 15sec.", "15秒"), w("Auto 30sec.", "30秒"), w("Auto   1min.", "1分"),
          w("Auto 1.5min.", "1.5分"), w("Auto   2min.", "2分"), w("Auto   3min.", "3分"),
          w("Auto   4min.", "4分"), w("Auto   5min.", "5分")}},
        {w("Remote COM port", "ﾘﾓｰﾄ通信ﾎﾟｰﾄ"), {w("Disable", "無効"), w("Enable", "有効")}},
    };
}

std::vector<ListWords> scanWords() {
    return {
        {w("Skip setting", "ｽｷｯﾌﾟ設定"), {w(" Suspend", " 無効"), w(" Valid", " 有効")}},
        {w("Prio. interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間"), seconds(5, 60, 5)},
        {w("Prio. duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間"), WordList{w("Busy", "ﾋﾞｼﾞｰ")} + seconds(1, 25, 1)},
        {w("Scan mode", "ｽｷｬﾝﾀｲﾌﾟ"), scanModes()},
        {w("Scan speed", "ｽｷｬﾝｽﾋﾟｰﾄﾞ"),
         {w("Slow", "ゆっくり"), w("Normal", "普通"), w("Fast", "速い")}},
    };
}

std::vector<ListWords> memWords() {
    return {
        {w("Overwrite", "ﾗｲﾄﾌﾟﾛﾃｸﾄ"),
         {w("Prohibited", "無効"), w("Accepted", "有効"), w("fail-safe", "一時解除")}},
        {w("Name display", "ﾒﾓﾘｰﾈｰﾑ"),
         {w("Frequency", "周波数表示"), w("Memory name", "ﾒﾓﾘｰﾈｰﾑ表示"),
          w("Freq & mem name", "周波数･ﾒﾓﾘ名併記")}},
    };
}

std::vector<ListWords> soundWords() {
    return {
        {w("Beep", "操作音設定"), {w("Disable", "無効"), w("Enable", "有効")}},
        {w("Bell", "ベル機能設定"),
         {w("OFF", "無効"), w("Main band only", "ﾒｲﾝ受信時"), w("Sub band only", "ｻﾌﾞ受信時"),
          w("Either band", "どちらか受信時")}},
        {w("Voice guide", "音声ｶﾞｲﾄﾞ"),
         {w("Disable", "無効"), w("Key operation", "ｷｰ操作時"),
          w("Bugging mode", "盗聴器発見連結時"), w("Both", "両方")}},
    };
}

std::vector<ListWords> remoconWords() {
    const WordList functions = functionWords(remoteFunctions());
    return {
        {w("KPD-90 A button", "ﾘﾓｺﾝAﾎﾞﾀﾝ"), functions},
        {w("KPD-90 B button", "ﾘﾓｺﾝBﾎﾞﾀﾝ"), functions},
        {w("KPD-90 C button", "ﾘﾓｺﾝCﾎﾞﾀﾝ"), functions},
        {w("KPD-90 D button", "ﾘﾓｺﾝDﾎﾞﾀﾝ"), functions},
    };
}

std::vector<ListWords> miscWords() {
    return {
        {w("Operation status", "運用状態"),
         {w("single/MAIN", "ｼﾝｸﾞﾙ/MAIN"), w("single/SUB", "ｼﾝｸﾞﾙ/SUB"),
          w("dual/MAIN", "ﾃﾞｭｱﾙ/MAIN"), w("dual/SUB", "ﾃﾞｭｱﾙ/SUB")}},
        {w("Volume(MAIN)", "音量(MAIN)"), numbers(0, 30)},
        {w("Volume(SUB)", "音量(SUB)"), numbers(0, 30)},
        {w("Squelch(MAIN)", "ｽｹﾙﾁ(MAIN)"), numbers(0, 9)},
        {w("Squelch(SUB)", "ｽｹﾙﾁ(SUB)"), numbers(0, 9)},
        {w("Channel scope(MAIN)", "ﾁｬﾝﾈﾙｽｺｰﾌﾟ(MAIN)"), offOn()},
        {w("Channel scope(SUB)", "ﾁｬﾝﾈﾙｽｺｰﾌﾟ(SUB)"), offOn()},
        {w("Main band gain", "受信感度(MAIN)"), numbers(1, 10)},
        {w("Sub band gain", "受信感度(SUB)"), numbers(1, 10)},
        {w("Attenuator", "ｱｯﾃﾈｰﾀｰ"), {w("OFF", "無効"), w("Low", "弱"), w("High", "強")}},
        {w("Audio high cut", "高域ｶｯﾄ"), sameWords({"Off", "On"})},
        {w("Audio low cut", "低域ｶｯﾄ"), sameWords({"Off", "On"})},
        {w("Operation mode(MAIN)", "運用ﾓｰﾄﾞ(MAIN)"),
         {same("VFO"), w("Preset", "ﾌﾟﾘｾｯﾄ"), w("Memory", "ﾒﾓﾘｰ")}},
        {w("Operation mode(SUB)", "運用ﾓｰﾄﾞ(SUB)"), {same("VFO"), w("Memory", "ﾒﾓﾘｰ")}},
        {w("Key lock status", "ｷｰﾛｯｸ状態"),
         {w("Disable", "ロック無し"), w("Enable 1", "ロック1"), w("Enable 2", "ロック2")}},
        {w("Bug coupling", "BUGﾓｰﾄﾞの連結"),
         {same("OFF"), same("ON"), w("ON continue", "ON 継続")}},
        {w("Bug sensitivity", "BUGﾓｰﾄﾞの感度"), numbers(1, 5)},
    };
}

// Indexed by Group.
const std::vector<std::vector<ListWords>>& table() {
    static const std::vector<std::vector<ListWords>> groups{
        recvWords(), displayWords(), powerWords(),   keyWords(),  scanWords(),
        memWords(),  soundWords(),   remoconWords(), miscWords(),
    };
    return groups;
}

const ListWords* wordsOf(ListId id) {
    if (!isValid(id))
        return nullptr;
    return &table()[size_t(id.group)][size_t(id.index)];
}

struct FrameWords {
    const char* name;
    Words caption;
};

const FrameWords* frameOf(Group group) {
    static const std::vector<FrameWords> frames{
        {"Frame14", w("<RECEIVER>", "≪受信設定≫")},
        {"Frame8", w("<SCREEN DISPLAY>", "≪表示設定≫")},
        {"Frame9", w("<POWER & BATT.>", "≪電源設定≫")},
        {"Frame19", w("<KEY ASSIGNMENT>", "≪ｷｰ操作設定≫")},
        {"Frame17", w("<SCANNING>", "≪ｽｷｬﾝ設定≫")},
        {"Frame16", w("<MEMORY>", "≪ﾒﾓﾘｰ設定≫")},
        {"Frame10", w("<SOUND>", "≪音設定≫")},
        {"Frame1", w("<KPD-90 KEY>", "≪ﾘﾓｺﾝ設定≫")},
    };
    return group == Group::Misc ? nullptr : &frames[size_t(group)];
}

} // namespace

Language languageFor(int vocabulary) {
    return vocabulary == 1 ? Language::Japanese : Language::English;
}

QStringList entries(ListId id, Language language) {
    QStringList list;
    if (const ListWords* words = wordsOf(id))
        for (const Words& entry : words->entries)
            list << entry.in(language);
    return list;
}

QString caption(ListId id, Language language) {
    const ListWords* words = wordsOf(id);
    return words ? words->caption.in(language) : QString();
}

QString captionOfPair(int pair, Language language) {
    return caption({Group::Misc, pair}, language);
}

QString frameName(Group group) {
    const FrameWords* frame = frameOf(group);
    return frame ? QLatin1String(frame->name) : QString();
}

QString frameCaption(Group group, Language language) {
    const FrameWords* frame = frameOf(group);
    return frame ? frame->caption.in(language) : QString();
}

QString oneTouchHeading(Language language) {
    return language == Language::Japanese ? u8("キー番号") : u8("Key number");
}

} // namespace rz::settings

namespace rz {

VocabularyTexts ApplyVocabulary(int vocabulary) {
    using namespace settings;
    VocabularyTexts texts;
    texts.language = languageFor(vocabulary);
    for (int g = 0; g < GroupCount; ++g)
        if (!frameName(Group(g)).isEmpty())
            texts.captions.emplace_back(frameName(Group(g)),
                                        frameCaption(Group(g), texts.language));
    for (ListId id : allLists())
        texts.captions.emplace_back(labelName(id), caption(id, texts.language));
    for (int pair = SettingTabLists; pair < SettingTabPairs; ++pair)
        texts.captions.emplace_back(labelName({Group::Misc, pair}), QString());
    texts.captions.emplace_back(QStringLiteral("Label6"), oneTouchHeading(texts.language));
    for (ListId id : allLists())
        if (!isFixed(id))
            texts.lists.emplace_back(objectName(id), entries(id, texts.language));
    return texts;
}

} // namespace rz
