#include "settings/ui/settings_list_binding.h"

#include "gui/typing_refusal.h"
#include "settings/settings_image.h"
#include "settings/vocabulary.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>

namespace rz {

using namespace settings;

namespace {
constexpr int ShownCharacters = 12; // lists keep their width whatever they hold
} // namespace

bool refusesTyping(Group group) {
    return group != Group::Remocon && group != Group::Misc;
}

QString frameTitle(const QString& caption) {
    return QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

SettingsListBinding::SettingsListBinding(SettingsImage& settings, QObject* parent)
    : QObject(parent), settings_(settings) {
    connect(&settings_, &SettingsImage::changed, this, &SettingsListBinding::refresh);
}

QLabel* SettingsListBinding::makeCaption(ListId id, QWidget* parent) const {
    auto* label = new QLabel(caption(id, settings_.vocabulary()), parent);
    label->setObjectName(labelName(id));
    return label;
}

QComboBox* SettingsListBinding::makeList(ListId id, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(settings::objectName(id));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(ShownCharacters);
    if (!isValid(id))
        return list; // Setting_misc(17..23): no entries, nothing to show
    list->addItems(entries(id, settings_.vocabulary()));
    // The open list is as wide as its longest entry.
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
    bound_.push_back({id, list});
    connect(list, qOverload<int>(&QComboBox::activated), this,
            [this, id](int position) { settings_.setPosition(id, position); });
    list->installEventFilter(this);
    if (refusesTyping(id.group))
        TypingRefusal::install(list);
    refresh();
    return list;
}

void SettingsListBinding::refresh() {
    for (const Bound& b : bound_) {
        const QSignalBlocker quiet(b.list);
        b.list->setCurrentIndex(settings_.position(b.id));
        b.list->setEnabled(settings_.isEnabled(b.id));
    }
}

const SettingsListBinding::Bound* SettingsListBinding::boundTo(QObject* widget) const {
    for (const Bound& b : bound_)
        if (b.list == widget)
            return &b;
    return nullptr;
}

bool SettingsListBinding::eventFilter(QObject* watched, QEvent* event) {
    const Bound* b = boundTo(watched);
    if (!b)
        return false;
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        settings_.leaveList(b->id); // "DET out" and "IQ output" exclude each other
    return false;
}

} // namespace rz
