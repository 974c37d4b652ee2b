// F1 and What's This over the main window, and every help topic they show, in one place. The
// keypad's keys carry theirs in the keypad's design data (HelpContextID for F1, WhatsThisHelpID
// for What's This); a menu item whose command has a key shows that key's context topic, the other
// items and the window's parts theirs from here.
#pragma once

#include <optional>

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

// Where a mouse button went down, for the What's This popup.
enum class Surface : int { Key, Grid, DisplayPanel, AboutLabel, OkImage, ResultPane, Window };

class WindowHelp {
  public:
    // All borrowed: the keys' topics, the result pane's place and the help window.
    WindowHelp(KeypadPort& keys, WindowPort& window, HelpPort& help)
        : keys_(keys), window_(window), help_(help) {}

    // F1 on a part of the window (for Surface::Key also `array` and `index`): its context topic
    // in the help window, the contents where it has none.
    void ShowTopicOf(Surface surface, KeyArray array, int index);
    // F1 on a highlighted menu item (nullopt: a drop-down menu itself or an unknown item).
    void ShowTopicOfMenu(std::optional<MenuItem> item);
    // A right button press on `surface` (for Surface::Window `x`, `y` are client pixels) picks
    // the What's This topic; false where there is none (no popup).
    bool PickWhatsThis(Surface surface, int x, int y, KeyArray array, int index);
    // The popup's "What's This?": the picked topic.
    void ShowWhatsThis();
    int WhatsThisTopic() const { return whatsThisTopic_; }

  private:
    // The What's This topic of a part of the window; 0 for none.
    int TopicOf(Surface surface, int x, int y, KeyArray array, int index) const;

    KeypadPort& keys_;
    WindowPort& window_;
    HelpPort& help_;
    int whatsThisTopic_ = 0;
};

}  // namespace zentra
