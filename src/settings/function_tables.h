#pragma once
// The functions the receiver can put on its WILD and MONI keys and on the
// buttons of the remote keypad. The receiver stores a function by its code;
// the lists show the functions in table order.
#include <QtGlobal>
#include <vector>

namespace rz::settings {

struct FunctionEntry {
    quint8 code;
    const char* english; // UTF-8
    const char* japanese;
};

// Set_Mode_Key(6) and (7): 41 functions.
const std::vector<FunctionEntry>& keyFunctions();
// Set_Mode_Remocon(0..3): 23 functions.
const std::vector<FunctionEntry>& remoteFunctions();

// Position of the first entry with the code, or -1.
int positionOfCode(const std::vector<FunctionEntry>& table, int code);

} // namespace rz::settings
