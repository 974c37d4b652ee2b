// The help file's topics that the window shows, in one place. The keypad's keys carry theirs in
// the keypad's design data (HelpContextID for F1, WhatsThisHelpID for What's This); a menu item
// whose command has a key shows that key's context topic, the other items theirs from here.
#pragma once

#include "window/Ports.h"

namespace zentra {

enum HelpTopic : int {
    kContentsTopic = 100,
    kGridTopic = 101,
    kDisplayPanelTopic = 102,
    kResultPaneTopic = 103,
    kCalculatorTopic = 113,
    kUndoTopic = 114,
    kHelpTopicsTopic = 201,
    kPasteTopic = 204,
};

// F1 on a highlighted menu item without a key of its own; the contents for the rest.
constexpr int TopicOfMenuItem(MenuItem item) {
    switch (item) {
        case MenuItem::ActionsCalculator:
            return kCalculatorTopic;
        case MenuItem::EditUndo:
            return kUndoTopic;
        case MenuItem::EditPaste:
            return kPasteTopic;
        case MenuItem::HelpTopics:
        case MenuItem::PopupWhat:
            return kHelpTopicsTopic;
        default:
            return kContentsTopic;
    }
}

}  // namespace zentra
