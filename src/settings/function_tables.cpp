#include "settings/function_tables.h"

namespace rz::settings {

const std::vector<FunctionEntry>& keyFunctions() {
    static const std::vector<FunctionEntry> table{
        {9, "Bar antenna", "ﾊﾞｰｱﾝﾃﾅ"},
        {8, "Earphone antenna", "ｲﾔﾎﾝｱﾝﾃﾅ"},
        {148, "Preset mode", "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ"},
        {176, "CW", "CW"},
        {173, "DET output", "検波出力"},
        {184, "Tune setting", "ﾁｭｰﾝ設定"},
        {152, "IQ output", "IQ信号出力"},
        {102, "language", "language／言語"},
        {24, "Illumination", "照明設定"},
        {123, "LCD contrast", "ｺﾝﾄﾗｽﾄ設定"},
        {140, "Font size", "非操作側表示ｻｲｽﾞ"},
        {141, "Font Bold", "ﾌｫﾝﾄ設定"},
        {171, "Welcome display", "ｵｰﾌﾟﾆﾝｸﾞ"},
        {27, "Auto Power Off", "ｵｰﾄﾊﾟﾜｰｵﾌ"},
        {139, "Battery type", "電池の設定"},
        {28, "BS ratio", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ"},
        {142, "Key lock mode", "ｷｰﾛｯｸﾓｰﾄﾞ"},
        {84, "Set mode exit", "ｾｯﾄﾓｰﾄﾞ復帰時間"},
        {47, "Band transition", "バンド移動"},
        {110, "Dial assignment", "ﾀﾞｲﾔﾙ左右"},
        {111, "Dial ring", "ﾀﾞｲﾔﾙ上下"},
        {92, "Wild key assign", "WILDｷｰ割当"},
        {90, "Moni key assign", "MONIｷｰ割当"},
        {143, "Moni active on", "MONIキー操作対象"},
        {22, "Moni operation", "MONIキー動作"},
        {23, "Moni function", "MONIキー設定"},
        {168, "Remote COM port", "ﾘﾓｰﾄ通信ﾎﾟｰﾄ"},
        {82, "Scan mode", "ｽｷｬﾝﾀｲﾌﾟ"},
        {94, "Prio. interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間"},
        {83, "Prio. duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間"},
        {50, "Skip setting", "ｽｷｯﾌﾟ設定"},
        {167, "Scan speed", "ｽｷｬﾝｽﾋﾟｰﾄﾞ"},
        {30, "Overwrite", "ﾗｲﾄﾌﾟﾛﾃｸﾄ"},
        {207, "Name display", "ﾒﾓﾘｰﾈｰﾑ"},
        {31, "Beep", "操作音設定"},
        {32, "Bell", "ベル機能設定"},
        {147, "Voice guide", "音声ｶﾞｲﾄﾞ"},
        {163, "KPD-90 A button", "ﾘﾓｺﾝ A ﾎﾞﾀﾝ"},
        {164, "KPD-90 B button", "ﾘﾓｺﾝ B ﾎﾞﾀﾝ"},
        {165, "KPD-90 C button", "ﾘﾓｺﾝ C ﾎﾞﾀﾝ"},
        {166, "KPD-90 D button", "ﾘﾓｺﾝ D ﾎﾞﾀﾝ"},
    };
    return table;
}

const std::vector<FunctionEntry>& remoteFunctions() {
    static const std::vector<FunctionEntry> table{
        {21, "Active band", "操作ﾊﾞﾝﾄﾞの変更"},
        {10, "Band change", "ﾊﾞﾝﾄﾞの切替"},
        {0, "Freq. up", "周波数ｱｯﾌﾟ"},
        {1, "Freq. down", "周波数ﾀﾞｳﾝ"},
        {3, "Select input", "入力音声の選択"},
        {9, "MONI key", "MONIｷｰ"},
        {2, "V/P/M key", "V/P/Mｷｰ"},
        {19, "Volume up", "音量ｱｯﾌﾟ"},
        {20, "Volume down", "音量ﾀﾞｳﾝ"},
        {22, "Sql. level up", "ｽｹﾙﾁﾚﾍﾞﾙｱｯﾌﾟ"},
        {23, "Sql. level down", "ｽｹﾙﾁﾚﾍﾞﾙﾀﾞｳﾝ"},
        {14, "Attenuator", "ｱｯﾃﾈｰﾀｰ"},
        {15, "Antenna", "ｱﾝﾃﾅの切替"},
        {16, "Bar antenna", "ﾊﾞｰｱﾝﾃﾅ"},
        {11, "Priority", "ﾌﾟﾗｲｵﾘﾃｨ"},
        {24, "RF gain", "受信感度"},
        {13, "AF tone", "AFﾄｰﾝ"},
        {17, "Beep", "操作音"},
        {18, "Bell", "ﾍﾞﾙ"},
        {4, "CTCSS", "ﾄｰﾝｽｹﾙﾁ"},
        {5, "CTCSS reverse", "逆ﾄｰﾝｽｹﾙﾁ"},
        {6, "DCS", "DCS"},
        {7, "Carrier cancel", "空線信号ｷｬﾝｾﾗｰ"},
    };
    return table;
}

int positionOfCode(const std::vector<FunctionEntry>& table, int code) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].code == code)
            return int(i);
    return -1;
}

} // namespace rz::settings
