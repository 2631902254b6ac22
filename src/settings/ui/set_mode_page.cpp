#include "settings/ui/set_mode_page.h"

#include "gui/radio_facade.h"
#include "model/data_set.h"
#include "settings/opening_message.h"
#include "settings/settings_transfer.h"
#include "settings/ui/settings_list_binding.h"
#include "settings/vocabulary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace rz {

using namespace settings;

namespace {

constexpr int RowHeight = 20; // pixels: 42 lists and a text box on one tab

int unshowable(const QList<uint>& characters) {
    int count = 0;
    for (const uint c : characters)
        count += opening::isShowable(char32_t(c)) ? 0 : 1;
    return count;
}

// Takes at most 16 characters and no new one the receiver cannot show; what
// it refuses never reaches the box, typed or pasted. A message read with
// such a character (a slot code the code page lacks) can still be edited.
class TitleValidator : public QValidator {
public:
    // The settings hold the message as it stands before an edit, and already
    // hold a message set from elsewhere when the box shows it.
    TitleValidator(const SettingsImage& settings, QObject* parent)
        : QValidator(parent), settings_(settings) {}
    State validate(QString& input, int&) const override {
        const QList<uint> characters = input.toUcs4();
        if (characters.size() > opening::MaxCharacters ||
            unshowable(characters) > unshowable(settings_.title().toUcs4()))
            return Invalid;
        return Acceptable;
    }

private:
    const SettingsImage& settings_;
};

} // namespace

SetModePage::SetModePage(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QGroupBox(QStringLiteral("Set mode"), parent), data_(data), radio_(radio),
      lists_(new SettingsListBinding(data.settings, this)) {
    setObjectName(QStringLiteral("A_FRAME(3)"));
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 4, 6, 4);
    QVBoxLayout* column[3];
    for (QVBoxLayout*& c : column) {
        c = new QVBoxLayout;
        c->setSpacing(2);
        columns->addLayout(c, 1);
    }
    makeFrame(Group::Recv, column[0]);
    makeTitleBox(makeFrame(Group::Display, column[0]));
    makeFrame(Group::Key, column[1]);
    makeFrame(Group::Power, column[1]);
    makeFrame(Group::Scan, column[2]);
    makeFrame(Group::Mem, column[2]);
    makeFrame(Group::Sound, column[2]);
    makeFrame(Group::Remocon, column[2]);
    column[0]->addStretch();
    column[1]->addStretch();
    column[1]->addWidget(makeButtons());
    column[2]->addStretch();

    connectCommand("Set_Mode_Clear", [this] { resetSettings(); });
    connectCommand("Set_Mode_Read", [this] { readSettings(); });
    connectCommand("Set_Mode_Write", [this] { writeSettings(); });
    connect(&data_.settings, &SettingsImage::changed, this, [this] {
        if (title_->text() != data_.settings.title())
            title_->setText(data_.settings.title());
    });
}

QWidget* SetModePage::makeFrame(Group group, QVBoxLayout* column) {
    auto* frame = new QGroupBox(frameTitle(frameCaption(group, data_.settings.vocabulary())), this);
    frame->setObjectName(frameName(group));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    for (ListId id : listsOf(group)) {
        grid->addWidget(lists_->makeCaption(id, frame), id.index, 0);
        QComboBox* list = lists_->makeList(id, frame);
        list->setFixedHeight(RowHeight);
        grid->addWidget(list, id.index, 1);
    }
    grid->setColumnStretch(0, 1);
    column->addWidget(frame);
    return frame;
}

void SetModePage::makeTitleBox(QWidget* displayFrame) {
    title_ = new QLineEdit(data_.settings.title(), displayFrame);
    title_->setObjectName(QStringLiteral("TITLE_TEXT"));
    title_->setFixedHeight(RowHeight + 2);
    title_->setValidator(new TitleValidator(data_.settings, title_));
    auto* grid = static_cast<QGridLayout*>(displayFrame->layout());
    grid->addWidget(title_, grid->rowCount(), 0, 1, 2);
    connect(title_, &QLineEdit::textEdited, this,
            [this](const QString& text) { data_.settings.setTitle(text); });
}

QWidget* SetModePage::makeButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const char* const buttons[][2] = {
        {"Reset", "Set_Mode_Clear"}, {"Read", "Set_Mode_Read"}, {"Write", "Set_Mode_Write"}};
    for (const auto& [caption, name] : buttons) {
        auto* button = new QPushButton(QLatin1String(caption), this);
        button->setObjectName(QLatin1String(name));
        layout->addWidget(button);
    }
    QPushButton* write = button("Set_Mode_Write");
    QPalette palette = write->palette();
    palette.setColor(QPalette::Button, QColor(100, 100, 0));
    write->setPalette(palette);
    write->setAutoFillBackground(true);
    return row;
}

QPushButton* SetModePage::button(const char* objectName) const {
    return findChild<QPushButton*>(QLatin1String(objectName));
}

void SetModePage::connectCommand(const char* name, std::function<void()> command) {
    connect(button(name), &QPushButton::clicked, this, radio_.whenIdle(std::move(command)));
}

void SetModePage::resetSettings() {
    data_.settings.reset();
}

void SetModePage::readSettings() {
    radio_.start(std::make_shared<ReadSettings>(radio_.region(), OpeningMessage::With));
}

void SetModePage::writeSettings() {
    radio_.start(std::make_shared<WriteSettings>(radio_.region(), settingsToWrite(data_.settings),
                                                 OpeningMessage::With));
}

} // namespace rz
