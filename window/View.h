// The display's two views, the tabular grid and the linear expression line, as the router sees
// them: the keypad's keys by name, the focus, the keys each offers, and what the Edit menu does.
// Every command that edits the display goes to the active view; the views know nothing of each
// other.
#pragma once

#include <string>
#include <string_view>

#include "window/Ports.h"

namespace zentra {

// Which Edit menu items the view can act on now.
struct EditOffer {
    bool undo = false;
    bool copy = false;
    bool paste = false;
    bool del = false;
    bool clear = false;
};

class View {
  public:
    virtual ~View() = default;

    // A digit key (0-9) and an operator key (by its caption); false when the view refuses the
    // key (the router beeps).
    virtual bool Digit(int digit) = 0;
    virtual bool Operator(std::string_view caption) = 0;
    // The control keys.
    virtual void Clear() = 0;
    virtual void Delete() = 0;
    virtual void Back() = 0;
    virtual void Enter() = 0;
    // The view's control takes the focus when it is enabled.
    virtual void Focus() = 0;
    // The view is shown: the keypad offers the keys it takes.
    virtual void ShowKeys(KeypadPort& keys) = 0;

    // What Copy takes ("" for nothing), Undo, and the Edit items the view offers with
    // `clipboard` holding that text.
    virtual std::string CopyText() const = 0;
    virtual void Undo() = 0;
    virtual EditOffer Offer(const std::string& clipboard) const = 0;
};

// What a view asks of the window around it.
class ViewHost {
  public:
    virtual ~ViewHost() = default;
    // The shown view's control takes the focus (during a slide, the one sliding in).
    virtual void FocusDisplay() = 0;
    // Hourglass and the window disabled while true.
    virtual void SetBusy(bool busy) = 0;
};

// Re-entry guard for code that changes the display or the window's size: while raised, the
// grid's cell rules and the host's window layout are skipped.
class EventGuard {
  public:
    class Scope {
      public:
        explicit Scope(EventGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        EventGuard& guard_;
    };
    bool Raised() const { return depth_ > 0; }

  private:
    int depth_ = 0;
};

// The keys of the two modes share their places: operator keys 0-4 with the function keys, and
// operator keys 5-8 ("^", "!", "(", ")") are offered in linear mode only, where the Enter key is
// "=" in the colour of the function keys.
inline void ShowKeysOfMode(KeypadPort& keys, bool linear) {
    constexpr int kSharedPlaces = 5;
    for (int i = kSharedPlaces; i < KeyCount(KeyArray::Oper); ++i) {
        keys.Key(KeyArray::Oper, i).SetEnabled(linear);
    }
    for (int i = 0; i < kSharedPlaces; ++i) {
        keys.Key(KeyArray::Oper, i).SetVisible(linear);
        keys.Key(KeyArray::Func, i).SetVisible(!linear);
    }
    KeyPort& enter = keys.Key(KeyArray::Cntrl, kEnter);
    enter.SetCaption(linear ? "=" : "Enter");
    enter.SetFontName(linear ? "Arial Black" : "Arial");
    const KeyPort& colour =
        linear ? keys.Key(KeyArray::Func, 0) : keys.Key(KeyArray::Cntrl, kClear);
    enter.SetForeColor(colour.ForeColor());
}

}  // namespace zentra
