#include "app/screenshots.h"
#include "app/main_window.h"
#include "memory/dialog_ok.h"
#include "memory/set_memory_data.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/memory_page.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>

namespace rz {
namespace {

struct Example {
    const char* mhz;
    const char* fraction;
    int mode;
    int step;
    int toneType;
    int shift;
    const char* offset;
    const char* name;
};

constexpr int DualExampleRow = 1301;

constexpr Example Examples[] = {
    {"145", "00000", 0, 7, 0, 0, "00000", "2m calling"},
    {"433", "50000", 0, 7, 0, 0, "00000", "70cm calling"},
    {"118", "10000", 1, 1, 0, 0, "00000", "Tower"},
    {"80", "00000", 3, 10, 0, 0, "00000", "FM ラジオ"},
    {"7", "05000", 4, 17, 0, 0, "00000", "40m LSB"},
    {"439", "00000", 0, 4, 3, 2, "00000", "Repeater"},
    {"156", "80000", 0, 7, 0, 0, "00000", "Marine 16"},
    {"467", "56250", 2, 4, 0, 0, "00000", "Hiking"},
};

} // namespace

void fillExampleChannels(MainWindow& window) {
    int row = 1;
    for (const Example& e : Examples) {
        ChannelForm form;
        form.frequencyMhz = QLatin1String(e.mhz);
        form.frequencyFraction = QLatin1String(e.fraction);
        form.mode = e.mode;
        form.step = e.step;
        form.toneType = e.toneType;
        form.shift = e.shift;
        form.offsetMhz = e.shift ? QStringLiteral("5") : QStringLiteral("0");
        form.offsetFraction = QLatin1String(e.offset);
        form.name = QString::fromUtf8(e.name);
        memory::DialogOutcome out = memory::confirmDialog(form, ChannelForm(), false);
        window.data().channels.setInUse(row, out.firstInUse);
        Set_Memory_Data(out.result, window.data().channels, row);
        ++row;
    }
    // A dual-watch pair, for the dialog's picture with both sets in use.
    ChannelForm main, sub;
    main.frequencyMhz = QStringLiteral("145");
    main.frequencyFraction = QStringLiteral("00000");
    main.name = QStringLiteral("Dual main");
    sub.frequencyMhz = QStringLiteral("433");
    sub.frequencyFraction = QStringLiteral("50000");
    sub.name = QStringLiteral("Dual sub");
    memory::DialogOutcome out = memory::confirmDialog(main, sub, true);
    window.data().channels.setInUse(DualExampleRow, out.firstInUse);
    window.data().channels.setInUse(DualExampleRow + 1, out.secondInUse);
    Set_Memory_Data(out.result, window.data().channels, DualExampleRow);
}

bool writeScreenshots(MainWindow& window, const QString& folder) {
    QDir().mkpath(folder);
    const QDir dir(folder);
    window.show();
    window.grid()->selectRow(6);
    QApplication::processEvents();
    bool ok = window.grab().save(dir.filePath(QStringLiteral("main-window.png")));

    window.setDialogRunner([&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        ok = dialog.grab().save(dir.filePath(QStringLiteral("memory-setting.png"))) && ok;
        dialog.reject();
    });
    window.grid()->selectRow(DualExampleRow);
    window.findChild<MemoryPage*>(QStringLiteral("A_FRAME(0)"))->MSFlexGrid1_DblClick();
    return ok;
}

} // namespace rz
