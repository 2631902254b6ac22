#pragma once
// "Memory Setting" (Form2): edits one channel, or both channels of a
// dual-watch pair. It never refuses input with a message; "OK", "<<BACK" and
// "NEXT>>" leave an outcome for the main window to store.
#include "memory/dialog_ok.h"
#include "model/region.h"
#include <QDialog>
#include <optional>

namespace rz {

class ChannelSetEditor;

class MemorySettingDialog : public QDialog {
    Q_OBJECT
public:
    explicit MemorySettingDialog(Region region, QWidget* parent = nullptr);

    // The channel to edit, and for a dual-watch pair its Sub channel.
    void load(const QString& rowLabel, const ChannelForm& channel);
    void loadSub(const QString& rowLabel, const ChannelForm& sub);
    bool isDualPair() const { return dualPair_; }

    // Set by "OK", "<<BACK" and "NEXT>>"; none after "Cancel" or closing.
    const std::optional<memory::DialogOutcome>& outcome() const { return outcome_; }

    ChannelSetEditor* firstSet() const { return first_; }
    ChannelSetEditor* secondSet() const { return second_; }

public slots:
    void confirm();
    void back();
    void next();

private:
    void finish(int navigation);

    ChannelSetEditor* first_;
    ChannelSetEditor* second_;
    bool dualPair_ = false;
    std::optional<memory::DialogOutcome> outcome_;
};

} // namespace rz
