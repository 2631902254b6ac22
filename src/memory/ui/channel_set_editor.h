#pragma once
// One channel set of the Memory Setting dialog: frequency, name, skip,
// mode, shift and offset, tone squelch with its lists, and step, with its
// own "Clear". The second set's controls carry the suffix "_2".
#include "memory/channel_form.h"
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QCheckBox;
class QPushButton;

namespace rz {

class ChannelSetEditor : public QWidget {
    Q_OBJECT
public:
    struct Shape {
        QString suffix;  // "" or "_2"
        QString caption; // "Memory" or "Memory 2"
        int modes;       // options shown: 7 or 4
        int steps;       // options shown: 18 or 16
        FormLimits limits;
    };
    static Shape mainShape();
    static Shape subShape();

    explicit ChannelSetEditor(const Shape& shape, QWidget* parent = nullptr);

    // The grid row label shown beside the set's caption.
    void setRowLabel(const QString& label);
    void setForm(const ChannelForm& form);
    // What the controls hold; an option group without a shown option for
    // the loaded value keeps that value.
    ChannelForm form() const;
    void setTrainVisible(bool visible);

    // The ends of the set's Tab sequence, which follows the screen: top to
    // bottom, left to right.
    QWidget* firstInTabOrder() const;
    QWidget* lastInTabOrder() const;

public slots:
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name(const char* base) const;
    QString name(const char* base, int index) const;
    QLineEdit* digitBox(const char* base, int digits, int widthChars);
    QGroupBox* optionFrame(const QString& title, const char* base, const QStringList& captions,
                           int count, int columns, QButtonGroup*& group);
    QComboBox* list(const char* base, const QStringList& entries);
    void buildLayout();
    void setTabOrder();
    // An option group is one Tab stop: the checked option (the first shown
    // one when none is), so Tab never lands where an arrow key would change
    // the value unseen.
    static void keepTabStopOnChecked(QButtonGroup* group);
    void leaveOffsetBox(QLineEdit* box);
    static void check(QButtonGroup* group, int id);

    Shape shape_;
    ChannelForm loaded_;
    QLabel* rowLabel_;
    QLineEdit *freqMhz_, *freqFraction_, *name_, *offsetMhz_, *offsetFraction_;
    QCheckBox* skip_;
    QButtonGroup *modes_ = nullptr, *shifts_ = nullptr, *types_ = nullptr, *steps_ = nullptr;
    QGroupBox *modeFrame_, *shiftFrame_, *typeFrame_, *stepFrame_;
    QComboBox *txTone_, *rxTone_, *dcs_, *train_;
    QLabel* trainLabel_;
    QPushButton* clear_;
};

} // namespace rz
