#include "window/WindowHelp.h"

#include "common/numbers/Common.h"
#include "window/Commands.h"

namespace zentra {
namespace {

bool IsValidIndex(KeyArray array, int index) {
    return index >= 0 && index < KeyCount(array);
}

}  // namespace

int WindowHelp::TopicOf(Surface surface, int x, int y, KeyArray array, int index) const {
    switch (surface) {
        case Surface::Key:
            return IsValidIndex(array, index) ? keys_.Key(array, index).WhatsThisHelpId() : 0;
        case Surface::Grid:
            return kGridTopic;
        case Surface::DisplayPanel:
        case Surface::AboutLabel:
        case Surface::OkImage:
            return kDisplayPanelTopic;
        case Surface::ResultPane:
            return kResultPaneTopic;
        case Surface::Window: {
            const ClientRect pane = window_.ResultPaneRect();
            const bool onPane = IsBetween(x, pane.left, pane.right, true) &&
                                IsBetween(y, pane.top, pane.bottom, true);
            return onPane ? kResultPaneTopic : 0;
        }
    }
    return 0;
}

bool WindowHelp::PickWhatsThis(Surface surface, int x, int y, KeyArray array, int index) {
    const int topic = TopicOf(surface, x, y, array, index);
    if (topic == 0) return false;
    whatsThisTopic_ = topic;
    return true;
}

void WindowHelp::ShowWhatsThis() {
    if (whatsThisTopic_ != 0) help_.ShowWhatsThis(whatsThisTopic_);
}

void WindowHelp::ShowTopicOf(Surface surface, KeyArray array, int index) {
    int topic = 0;
    if (surface == Surface::Key) {
        // A key's context topic, not its What's This topic: the two differ for some keys.
        if (IsValidIndex(array, index)) topic = keys_.Key(array, index).HelpContextId();
    } else if (surface != Surface::Window) {
        topic = TopicOf(surface, 0, 0, array, index);
    }
    help_.ShowTopic(topic != 0 ? topic : kContentsTopic);
}

void WindowHelp::ShowTopicOfMenu(std::optional<MenuItem> item) {
    int topic = item ? TopicOfMenuItem(*item) : kContentsTopic;
    const auto command = item ? CommandOfMenuItem(*item) : std::nullopt;
    if (const auto key = command ? KeyOfCommand(*command) : std::nullopt) {
        const int keyTopic = keys_.Key(key->array, key->index).HelpContextId();
        if (keyTopic != 0) topic = keyTopic;
    }
    help_.ShowTopic(topic);
}

}  // namespace zentra
